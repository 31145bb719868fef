#pragma once

#include <QDate>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

namespace Autostart {
struct Change;
}
class PELTRA;
class QAction;
class QMenu;
class QSystemTrayIcon;

// A named countdown's name, then "高校の入学試験まであと・・・ 10日", then the event date, one to a line;
// the empty parts are left out.
QString trayToolTipText(const QString& countdownName, const QString& upperMessage, const QString& countText,
                        QDate theDate);
// The program's icon at side × side pixels with the count over it, large, bold and outlined so that it
// reads at the 22 to 24 pixels of a panel; long counts are narrowed rather than cut.
QImage trayCountImage(const QIcon& programIcon, const QString& countText, int side);
// Why the login start could not be changed, as the tray's message says it.
QString autostartProblemText(const Autostart::Change& change);

// While the countdown window is minimised and the desktop has a system tray, an icon there shows the
// days left and brings the window back.
class TrayIndicator : public QObject {
    Q_OBJECT
public:
    explicit TrayIndicator(PELTRA& window);

    // Whether the desktop offers a tray; tests put their own answer in place of the desktop's.
    static void setTrayAvailabilityCheck(std::function<bool()> check);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createIcon();
    void followWindowState();
    void showCount();
    void showAutostartState();
    void changeAutostart(bool on);

    PELTRA& window;
    QMenu* menu = nullptr;
    QAction* autostartAction = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QIcon baseIcon;
    QString drawnCount;
};
