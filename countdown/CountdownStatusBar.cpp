#include "countdown/CountdownStatusBar.h"

#include "app/core/Twips.h"

#include <QLabel>

CountdownStatusBar::CountdownStatusBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    const QStringList initialTexts{QString(), QStringLiteral(" 日付 "), QStringLiteral(" 時間 ")};
    for (int i = 0; i < panelCount; ++i) {
        auto* label = new QLabel(initialTexts[i], this);
        label->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        panels[std::size_t(i)] = label;
        label->setAccessibleName(accessibleName(i + 1, initialTexts[i]));
        widths[std::size_t(i)] = defaultPanelWidth;
    }
    setFixedHeight(fontMetrics().height() + 8);
    placePanels();
}

void CountdownStatusBar::setPanelText(int panel, const QString& text) {
    // QLabel ignores a text it already shows, so the clock repaints only what changed.
    QLabel* label = this->panel(panel);
    label->setText(text);
    if (const QString name = accessibleName(panel, text); label->accessibleName() != name)
        label->setAccessibleName(name);
}

QString CountdownStatusBar::accessibleName(int panel, const QString& text) {
    const QString shown = text.simplified();
    switch (panel) {
    case 1: // the event date says what it is
        return shown.isEmpty() ? QStringLiteral("イベント日") : shown;
    case 2:
        return QStringLiteral("今日 ") + shown;
    default:
        return QStringLiteral("時刻 ") + shown;
    }
}

QString CountdownStatusBar::panelText(int panel) const {
    return this->panel(panel)->text();
}

void CountdownStatusBar::setPanelWidth(int panel, double twips) {
    widths.at(std::size_t(panel - 1)) = twips;
    placePanels();
}

double CountdownStatusBar::panelWidth(int panel) const {
    return widths.at(std::size_t(panel - 1));
}

void CountdownStatusBar::setPanelShown(int panel, bool shown) {
    this->panel(panel)->setVisible(shown);
}

QLabel* CountdownStatusBar::panel(int panel) const {
    return panels.at(std::size_t(panel - 1));
}

void CountdownStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placePanels();
}

void CountdownStatusBar::placePanels() {
    double left = 0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int x = Twips::toPixelsX(left);
        const int right = Twips::toPixelsX(left + widths[i]);
        panels[i]->setGeometry(x, 0, std::max(0, right - x), height());
        left += widths[i];
    }
}
