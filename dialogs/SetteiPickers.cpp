#include "dialogs/SetteiPickers.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>

namespace {

std::optional<QColor> standardColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> standardFont(QWidget* parent, const QFont& initial) {
    // Qt's own dialog, so that its effects (underline, strike-out), which are not kept, can be hidden.
    QFontDialog dialog(initial, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    for (auto* group : dialog.findChildren<QGroupBox*>()) {
        if (group->findChildren<QCheckBox*>().isEmpty())
            continue;
        // It keeps its place: the sample beside it shares its rows and would shrink to nothing.
        QSizePolicy place = group->sizePolicy();
        place.setRetainSizeWhenHidden(true);
        group->setSizePolicy(place);
        group->hide();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QString> standardFile(QWidget* parent, const QString& startFolder, const QStringList& filters) {
    const QString path =
        QFileDialog::getOpenFileName(parent, QString(), startFolder, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

SetteiPickers SetteiPickers::standard() {
    return {standardColor, standardFont, standardFile};
}
