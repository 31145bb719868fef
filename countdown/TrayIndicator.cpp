#include "countdown/TrayIndicator.h"

#include "app/core/AppSettings.h"
#include "app/core/DateTimeText.h"
#include "app/core/Platform.h"
#include "app/system/Autostart.h"
#include "countdown/CountdownLayout.h"
#include "countdown/PELTRA.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>
#include <QTextDocument>
#include <QTimer>

namespace {

std::function<bool()>& trayAvailabilityCheck() {
    static std::function<bool()> check = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return check;
}

} // namespace

QString trayToolTipText(const QString& countdownName, const QString& upperMessage, const QString& countText,
                        QDate theDate) {
    QString countLine = upperMessage;
    if (!countText.isEmpty())
        countLine += (countLine.isEmpty() ? QString() : QStringLiteral(" ")) + countText + QStringLiteral("日");
    QStringList lines{countdownName, countLine, theDate.isValid() ? eventDateText(theDate) : QString()};
    lines.removeAll(QString());
    return lines.join(u'\n');
}

QImage trayCountImage(const QIcon& programIcon, const QString& countText, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    programIcon.paint(&painter, image.rect());
    if (countText.isEmpty())
        return image;

    // The number fills most of the height; a dark backing and outline keep it readable over any icon.
    const qreal outline = std::max(1.0, side / 12.0);
    const QRectF box = QRectF(image.rect()).adjusted(outline, side * 0.3, -outline, -outline);
    QFont font(QApplication::font());
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath number;
    number.addText(0, 0, font, countText);
    const QRectF drawn = number.boundingRect();
    const qreal height = box.height() - 2 * outline;
    const qreal scaleY = height / drawn.height();
    const qreal scaleX = std::min(scaleY, (box.width() - 2 * outline) / drawn.width());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scaleX, scaleY);
    fit.translate(-drawn.center().x(), -drawn.center().y());
    number = fit.map(number);

    const QRectF backing = number.boundingRect().adjusted(-outline, -outline, outline, outline) & QRectF(image.rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(backing, outline, outline);
    painter.strokePath(number, QPen(Qt::black, outline * 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(number, Qt::white);
    // A font's bold is still thin at this size: a white edge thickens the strokes.
    painter.strokePath(number, QPen(Qt::white, side / 24.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return image;
}

TrayIndicator::TrayIndicator(PELTRA& countdownWindow) : QObject(&countdownWindow), window(countdownWindow) {
    setObjectName(QStringLiteral("trayIndicator"));
    connect(&window, &PELTRA::countChanged, this, &TrayIndicator::showCount);
    window.installEventFilter(this);
}

void TrayIndicator::createIcon() {
    // Made at the first minimise, not at start-up: asking for a tray may start the session bus.
    menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("trayMenu"));
    QAction* restoreAction = menu->addAction(QStringLiteral("元に戻す"), &window, &PELTRA::bringBack);
    restoreAction->setObjectName(QStringLiteral("trayRestore"));
    autostartAction = menu->addAction(QStringLiteral("ログイン時に起動"));
    autostartAction->setObjectName(QStringLiteral("trayAutostart"));
    autostartAction->setCheckable(true);
    connect(autostartAction, &QAction::triggered, this, &TrayIndicator::changeAutostart);
    menu->addSeparator();
    QAction* endAction = menu->addAction(QStringLiteral("ペルトラ の終了(&X)..."), &window, &PELTRA::Form_DblClick);
    endAction->setObjectName(QStringLiteral("trayEnd"));
    connect(menu, &QMenu::aboutToShow, this, &TrayIndicator::showAutostartState);

    // The window's icon stops at 48 pixels; the tray's larger sizes are drawn from the 128-pixel one.
    baseIcon = QApplication::windowIcon();
    baseIcon.addPixmap(QPixmap(QStringLiteral(":/peltra/icon/128.png"), "PNG"));

    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setObjectName(QStringLiteral("trayIcon"));
    trayIcon->setContextMenu(menu);
    connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            window.bringBack();
    });
}

void TrayIndicator::setTrayAvailabilityCheck(std::function<bool()> check) {
    trayAvailabilityCheck() = std::move(check);
}

bool TrayIndicator::eventFilter(QObject* watched, QEvent* event) {
    // The state is already the new one when the event arrives, whoever minimised or restored the window.
    if (watched == &window && event->type() == QEvent::WindowStateChange)
        followWindowState();
    return QObject::eventFilter(watched, event);
}

void TrayIndicator::followWindowState() {
    if (window.isMinimized() && trayAvailabilityCheck()()) {
        if (!trayIcon)
            createIcon();
        showCount();
        trayIcon->show();
    } else if (trayIcon) {
        trayIcon->hide();
    }
}

void TrayIndicator::showCount() {
    if (!trayIcon || !window.isMinimized())
        return;
    const QString count = QString::number(window.daysLeft());
    // Drawn again only when the count has changed, not at every tick of the timer.
    if (count != drawnCount || trayIcon->icon().isNull()) {
        QIcon icon;
        for (const int side : {16, 22, 24, 32, 48, 64})
            icon.addPixmap(QPixmap::fromImage(trayCountImage(baseIcon, count, side)));
        trayIcon->setIcon(icon);
        drawnCount = count;
    }
    // The tray shows rich text where it finds some; a message is always plain text, each line kept whole
    // (a tooltip would otherwise break the message and its count at any character). Set only when it
    // changed: a tray on the session bus is sent every new tooltip.
    const AppSettings& settings = window.programContext().settings;
    const QString toolTip = Qt::convertFromPlainText(
        trayToolTipText(settings.countdownName, settings.OptMsg[0], count, settings.TheDate), Qt::WhiteSpaceNoWrap);
    if (toolTip != trayIcon->toolTip())
        trayIcon->setToolTip(toolTip);
}

void TrayIndicator::showAutostartState() {
    autostartAction->setChecked(Autostart::isEnabled(window.programContext().settings.countdownName));
}

QString autostartProblemText(const Autostart::Change& change) {
    const QString withReason = change.reason.isEmpty() ? QStringLiteral("%1 %2") : QStringLiteral("%1: %2");
    switch (change.outcome) {
    case Autostart::Change::Foreign:
        return QStringLiteral("%1 はこのプログラムが作ったファイルではないため、変更しません。").arg(change.path);
    case Autostart::Change::NotRemoved:
        return withReason.arg(QStringLiteral("%1 を削除できません").arg(change.path), change.reason).trimmed();
    case Autostart::Change::FolderNotMade:
        return QStringLiteral("フォルダー %1 を作れません。").arg(change.path);
    case Autostart::Change::NotWritten:
        return withReason.arg(QStringLiteral("%1 に書き込めません").arg(change.path), change.reason).trimmed();
    case Autostart::Change::Done:
        break;
    }
    return {};
}

void TrayIndicator::changeAutostart(bool on) {
    if (const Autostart::Change change = Autostart::setEnabled(on, window.programContext().settings.countdownName);
        !change)
        window.programContext().platform.messageBox(autostartProblemText(change), MessageStyle::Exclamation,
                                                    QStringLiteral("ログイン時に起動"));
    showAutostartState();
}
