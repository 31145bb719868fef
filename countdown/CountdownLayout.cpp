#include "countdown/CountdownLayout.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/SizePresets.h"
#include "app/core/Twips.h"
#include "app/system/FontSetup.h"
#include "countdown/CountdownStatusBar.h"
#include "countdown/PictureDecoder.h"
#include "dialogs/WidgetLook.h"

#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace {

void setTextColour(QLabel* label, const QString& colourText) {
    WidgetLook::setTextColour(label, Conversions::colorFromText(colourText));
}

void setBackgroundColour(QWidget* widget, const QString& colourText) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Conversions::colorFromText(colourText));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool isTrue(const QString& flag) {
    return Conversions::strictBoolean(flag).value_or(false);
}

} // namespace

CountdownLayout::CountdownLayout(const CountdownWidgets& widgets) : widgets(widgets) {
    panel1Width = widgets.statusBar->panelWidth(1);
}

void CountdownLayout::setLabelGeometry(int index, double left, double height, double width, double pointSize) {
    QLabel* label = widgets.labels.at(std::size_t(index));
    setLabelPosition(index, {left, labelPosition(index).y()});
    label->resize(Twips::toPixelsX(width), Twips::toPixelsY(height));
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    label->setFont(font);
}

void CountdownLayout::showCount(const QString& text) {
    widgets.labels[count]->setText(text);
    fitCount();
}

void CountdownLayout::fitCount() {
    QLabel* label = widgets.labels[count];
    const QString text = label->text();
    const int height = countHeight > 0 ? Twips::toPixelsY(countHeight) : label->sizeHint().height();
    // The text is centred on its line, whose ascent and descent leave more room above the digits
    // than below them; shifting by the difference centres the digits themselves in the box.
    const QFontMetricsF metrics(label->font());
    const QRectF ink = metrics.tightBoundingRect(text.isEmpty() ? QStringLiteral("0") : text);
    const double shift = (metrics.descent() - metrics.ascent()) / 2 - ink.center().y();
    const int margin = qRound(2 * shift);
    label->setContentsMargins(0, std::max(0, margin), 0, std::max(0, -margin));
    label->resize(text.isEmpty() ? 0 : label->sizeHint().width(), height);
}

void CountdownLayout::ApplyLayout(const AppSettings& settings, const QString& presetText) {
    if (const auto index = presetIndex(presetText)) {
        const SizePreset& preset = sizePreset(*index);
        for (int i : {upperMessage, lowerMessage}) {
            setLabelGeometry(i, preset.messagesLeft, preset.messagesHeight, preset.messagesWidth,
                             preset.messagesPointSize);
        }
        setLabelPosition(upperMessage, {labelPosition(upperMessage).x(), double(preset.upperTop)});
        setLabelPosition(lowerMessage, {labelPosition(lowerMessage).x(), double(preset.lowerTop)});
        QLabel* countLabel = widgets.labels[count];
        QFont countFont = countLabel->font();
        countFont.setPointSizeF(preset.countPointSize);
        countLabel->setFont(countFont);
        setLabelPosition(count, {labelPosition(count).x(), double(preset.countTop)});
        countHeight = preset.countHeight;
        panel1Width = preset.panel1Width;
    }

    for (int i : {upperMessage, lowerMessage}) {
        QLabel* label = widgets.labels.at(std::size_t(i));
        QFont font = label->font();
        font.setFamily(installedFamily(settings.OptFont[0]));
        font.setBold(isTrue(settings.OptFont[2]));
        font.setItalic(isTrue(settings.OptFont[3]));
        label->setFont(font);
        label->setText(settings.OptMsg.at(std::size_t(i)));
    }
    setTextColour(widgets.labels[upperMessage], settings.OptColor[0]);
    setTextColour(widgets.labels[lowerMessage], settings.OptColor[1]);

    QLabel* countLabel = widgets.labels[count];
    QFont countFont = countLabel->font();
    countFont.setFamily(installedFamily(settings.OptFont2[0]));
    countFont.setBold(isTrue(settings.OptFont2[2]));
    countFont.setItalic(false);
    countLabel->setFont(countFont);
    fitCount();
    const double windowWidth = settings.WinWidth;
    setLabelPosition(count, {float((windowWidth - labelWidth(count)) / 2), labelPosition(count).y()});
    setTextColour(countLabel, settings.OptColor[2]);
    setBackgroundColour(countLabel, settings.OptColor[3]);

    // The panel width is recomputed from the preset each time, so hiding the date and time
    // widens it once however often the layout runs.
    const bool hideDateTime = !settings.showsDateTime();
    widgets.statusBar->setPanelWidth(1, panel1Width + (hideDateTime ? dateTimePanelsWidth : 0));
    for (int panel : {2, 3})
        widgets.statusBar->setPanelShown(panel, !hideDateTime);

    setBackgroundColour(widgets.canvas, settings.OptColor[4]);
    applyPicture(settings);
}

void CountdownLayout::applyPicture(const AppSettings& settings) {
    const bool wanted = settings.usesPicture() && !settings.OptBFile.isEmpty();
    wantedPicture = wanted ? settings.OptBFile : QString();
    showPicture();
}

void CountdownLayout::showPicture() {
    const double ratio = widgets.image->devicePixelRatioF();
    const QSize pixels(qRound(widgets.image->width() * ratio), qRound(widgets.image->height() * ratio));
    const QPixmap none;
    const QPixmap& pixmap = wantedPicture.isEmpty() || pixels.isEmpty() ? none : picture(wantedPicture, pixels);
    if (!pixmap.isNull()) {
        widgets.image->setPixmap(pixmap);
        widgets.labels[count]->setAutoFillBackground(false);
    } else {
        // No picture, or one that cannot be shown: the plain window with an opaque count.
        widgets.image->clear();
        widgets.labels[count]->setAutoFillBackground(true);
    }
    widgets.image->setVisible(showsPicture());
}

const QPixmap& CountdownLayout::picture(const QString& path, QSize pixels) {
    const QFileInfo info(path);
    // Only regular files: a folder or a pipe named as the picture must not hang or fail the window.
    if (!info.isFile()) {
        picturePath.clear();
        pictureCache = QPixmap();
        return pictureCache;
    }
    if (path == picturePath && info.lastModified() == pictureModified && info.size() == pictureSize &&
        pixels == pictureShownSize)
        return pictureCache;
    // Decoded at the size it is shown: a camera's photo then neither passes the reader's allocation
    // limit nor keeps its full size in memory.
    QImage image = decodePictureAtSize(path, pixels);
    pictureCache = QPixmap::fromImage(std::move(image));
    pictureCache.setDevicePixelRatio(widgets.image->devicePixelRatioF());
    picturePath = path;
    pictureModified = info.lastModified();
    pictureSize = info.size();
    pictureShownSize = pixels;
    return pictureCache;
}

bool CountdownLayout::showsPicture() const {
    return widgets.image->pixmap().isNull() == false;
}

void CountdownLayout::sizePicture() {
    if (widgets.image->geometry() == widgets.canvas->rect())
        return;
    widgets.image->setGeometry(widgets.canvas->rect());
    showPicture();
}

void CountdownLayout::restoreLabelPositions(const AppSettings& settings) {
    for (int i = 0; i < 3; ++i) {
        const auto left = float(Conversions::strictNumber(settings.Label_Left.at(std::size_t(i))).value_or(0));
        const auto top = float(Conversions::strictNumber(settings.Label_Top.at(std::size_t(i))).value_or(0));
        setLabelPosition(i, {left, top});
    }
}

QPointF CountdownLayout::labelPosition(int index) const {
    // A label that has not moved since it was placed is where it was placed, to the twip.
    const QPoint pixels = widgets.labels.at(std::size_t(index))->pos();
    const QPointF placed = placedTwips.at(std::size_t(index));
    return pixels == Twips::toPixels(placed) ? placed : Twips::fromPixels(pixels);
}

void CountdownLayout::setLabelPosition(int index, QPointF twips) {
    placedTwips.at(std::size_t(index)) = twips;
    widgets.labels.at(std::size_t(index))->move(Twips::toPixels(twips));
}

double CountdownLayout::labelWidth(int index) const {
    return Twips::fromPixelsX(widgets.labels.at(std::size_t(index))->width());
}

double CountdownLayout::labelHeight(int index) const {
    return Twips::fromPixelsY(widgets.labels.at(std::size_t(index))->height());
}
