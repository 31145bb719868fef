#include "app/core/SizePresets.h"
#include "countdown/CountdownAccessibility.h"
#include "countdown/CountdownStatusBar.h"
#include "countdown/FocusMark.h"
#include "countdown/TrayIndicator.h"
#include "tests/support/WindowTestHelpers.h"

#include <QAccessible>
#include <QDialog>
#include <QFontInfo>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <optional>
#include <tuple>

namespace {
// A mouse event as the window system sends it to the label holding the pointer, at a screen point.
void mouse(QLabel* label, QEvent::Type type, QPoint screen, Qt::MouseButton changed, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(label->mapFromGlobal(screen)), QPointF(screen), changed, held, Qt::NoModifier);
    QApplication::sendEvent(label, &event);
}

using Placement = std::tuple<QPointF, QList<QRectF>, QPointF>; // stored place, available areas, place taken
// The widget double-clicked or none: a close of the mode (-1: session end, no questions); double-click switch; answer.
using EndWay = std::tuple<QString, int, bool, int>;
// The drag switch, the button, the label, the path (pixels, in four steps), whether the window minimises.
using Drag = std::tuple<bool, Qt::MouseButton, int, QPoint, bool>;

// The geometry each top-level window has when it is first shown.
struct FirstShowRecorder : QObject {
    QHash<QObject*, QRect> geometry;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* widget = qobject_cast<QWidget*>(watched);
            widget && widget->isWindow() && event->type() == QEvent::Show && !geometry.contains(widget))
            geometry.insert(widget, widget->geometry());
        return false;
    }
};
} // namespace

class TestCountdownWindow : public QObject {
    Q_OBJECT
    std::optional<CountdownFixture> f;
    QTemporaryDir pictures;
    // Read-backs snap to whole pixels of 15 twips.
    static bool near(QPointF a, QPointF b) { return qAbs(a.x() - b.x()) < 15.5 && qAbs(a.y() - b.y()) < 15.5; }

private slots:
    void init() { f.emplace(); } // the last row's window goes first

    void presetGeometry_data() {
        QTest::addColumn<int>("preset");
        for (int i = 0; i < presetCount; ++i)
            QTest::addRow("preset %d", i) << i;
    }
    void presetGeometry() {
        QFETCH(int, preset);
        const SizePreset& p = sizePreset(preset);
        f->settings.OptFont[1] = QStringLiteral("72"); // the preset decides the point size
        f->settings.OptDateTime = QStringLiteral("0");
        f->settings.OptMsg[1] = QStringLiteral("卒業式の日まで毎日欠かさず勉強を続けて必ず第一志望校に合格しよう");
        SelectWindowSize(f->settings, f->settings.OptSize = QString::number(preset));
        PELTRA& window = f->open();
        CountdownLayout& layout = window.layout();
        QVERIFY(
            near({window.windowOuterSize().width(), window.windowOuterSize().height()}, QPointF(p.width, p.height)));
        QVERIFY(near({layout.labelWidth(1), layout.labelHeight(1)}, QPointF(p.messagesWidth, p.messagesHeight)));
        const QLabel* lower = window.Label1[1]; // the long message: two whole lines within its width
        QCOMPARE(qRound(double(lower->heightForWidth(lower->width())) / lower->fontMetrics().height()), 2);
        QCOMPARE(QPoint(window.Label1[1]->font().pointSize(), window.Label1[2]->font().pointSize()),
                 QPoint(p.messagesPointSize, p.countPointSize));
        const double centredLeft = (p.width - layout.labelWidth(2)) / 2; // the count's place at load
        QVERIFY(near({layout.labelPosition(2).x(), layout.labelHeight(2)}, {centredLeft, double(p.countHeight)}));
        // With the date and time hidden the first panel takes their width, once however often laid out.
        QCOMPARE(window.StatusBar1->panelWidth(1), p.panel1Width + 2210.0);
        QVERIFY(!window.StatusBar1->panel(2)->isVisible() && !window.StatusBar1->panel(3)->isVisible());
    }

    // The window is mapped before it is built, already at the size and place it keeps, and its first
    // picture is the finished window: nothing is left for the event loop to show or lay out.
    void mappedFirstFinishedAtFirstPaint_data() {
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("dateTime");
        QTest::newRow("the stored size") << 2 << true;
        QTest::newRow("another preset, no date and time") << 4 << false;
    }
    void mappedFirstFinishedAtFirstPaint() {
        QFETCH(int, preset);
        QFETCH(bool, dateTime);
        f->settings.OptSize = QString::number(preset); // the file's own size stays that of the default preset
        f->settings.OptDateTime = dateTime ? QStringLiteral("1") : QStringLiteral("0");
        FirstShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        PELTRA& window = f->open();
        qApp->removeEventFilter(&recorder);
        QCOMPARE(recorder.geometry.value(&window), window.geometry());
        const QImage first = window.grab().toImage();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        QCOMPARE(window.grab().toImage(), first);
        QVERIFY(window.Label1[2]->isVisible() && window.StatusBar1->panel(1)->isVisible());
        // The interface font, set up after the map, reaches the menus and the status bar all the same.
        for (const QWidget* text : std::initializer_list<const QWidget*>{window.menuBar(), window.StatusBar1->panel(1)})
            QCOMPARE(QFontInfo(text->font()).family(), QStringLiteral("IPAGothic"));
    }

    // The default countdown keeps its title; a named one says its name first.
    void title_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("default") << ""
                                 << "ペルトラ for Windows";
        QTest::newRow("named") << "卒業 式"
                               << "卒業 式 - ペルトラ for Windows";
    }
    void title() {
        QFETCH(QString, name);
        f->settings.countdownName = name;
        QTEST(f->open().windowTitle(), "title");
    }

    // The tray's tooltip: the countdown's name, the upper message with the count, the event date.
    void trayToolTip_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("tip");
        QTest::newRow("default") << ""
                                 << "試験まで"
                                 << "試験まで 10日\nイベント日：2026/12/16";
        QTest::newRow("named") << "誕生日"
                               << "試験まで"
                               << "誕生日\n試験まで 10日\nイベント日：2026/12/16";
        QTest::newRow("no message") << "誕生日"
                                    << ""
                                    << "誕生日\n10日\nイベント日：2026/12/16";
    }
    void trayToolTip() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTEST(trayToolTipText(name, message, QStringLiteral("10"), QDate(2026, 12, 16)), "tip");
    }

    void loadShowsCountDatesAndPlaces() {
        f->store.preset(Section::Position, QStringLiteral("Label_Left(2)"), QStringLiteral("3000"));
        f->settings.Label_Left = {QStringLiteral("300"), QStringLiteral("-450"), QString()};
        f->settings.Label_Top = {QStringLiteral("900"), QStringLiteral("12000"), QStringLiteral("1500")};
        PELTRA& window = f->open();
        QCOMPARE(window.Label1[2]->text(), QStringLiteral("10"));
        QCOMPARE(window.StatusBar1->panelText(1), QStringLiteral("イベント日：2026/12/16"));
        // Centred on the 1024×768 screen; the labels at their saved places, the count's left from the file.
        QVERIFY(near(window.windowPosition(), {2880, 2110}));
        const CountdownLayout& layout = window.layout();
        QVERIFY(near(layout.labelPosition(0), {300, 900}) && near(layout.labelPosition(1), {-450, 12000}));
        QVERIFY(near(layout.labelPosition(2), {3000, 1500}));
        const QRect place = window.frameGeometry(); // a maximise request is undone at once
        window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(!window.isMaximized() && window.frameGeometry() == place);
        f->platform.clock = QDateTime(QDate(2027, 1, 2), QTime(15, 45, 30));
        window.Timer2_Timer();
        QVERIFY(window.Timer2->isActive() && window.StatusBar1->panel(3)->isVisible());
        QCOMPARE(window.StatusBar1->panelText(2) + window.StatusBar1->panelText(3), "2027/01/02午後 03:45");
    }

    // A 9600 × 7300 twips window, two 15360 × 11520 screens side by side; no areas given: the whole screens.
    void placement_data() {
        QTest::addColumn<Placement>("p");
        const QRectF left(0, 0, 15360, 11520), right(15360, 0, 15360, 11520);
        QTest::newRow("off every screen: centred") << Placement{{40000, -20000}, {}, {2880, 2110}};
        QTest::newRow("left, under a panel") << Placement{{-300, 200}, {left.adjusted(0, 480, 0, 0), right}, {0, 480}};
        QTest::newRow("larger than the area: its top-left") << Placement{{900, 900}, {{0, 480, 7680, 5760}}, {0, 480}};
        QTest::newRow("nearer area") << Placement{{20000, 0}, {left, right.adjusted(0, 8000, 0, 0)}, {20000, 8000}};
    }
    void placement() {
        QFETCH(Placement, p);
        const auto& [stored, available, place] = p;
        f->platform.screens << QRectF(15360, 0, 15360, 11520); // right of the first
        f->platform.available = available;
        f->settings.OptCent = QStringLiteral("0");
        f->settings.M_Left = QString::number(stored.x());
        f->settings.M_Top = QString::number(stored.y());
        QVERIFY(near(f->open().windowPosition(), place));
        QCOMPARE(QPointF(f->settings.M_Left.toDouble(), f->settings.M_Top.toDouble()), place); // in memory
    }

    // The picture fills the client area, decoded at the size it is shown, through the count's box. The event-date
    // window (the count stopped under it) lays the window out again: an unreadable picture goes, an unsaved drag too.
    void pictureAndEventDateCommand_data() {
        QTest::addColumn<QString>("file");
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(pictures.filePath(QStringLiteral("back.png"))));
        // 49 megapixels, past the reader's allocation limit at full size; the rows are left to the file system.
        constexpr quint32 side = 7000, rowBytes = (side * 3 + 3) / 4 * 4;
        quint32 header[13] = {54 + rowBytes * side, 0, 54, 40, side, side, 1 | 24 << 16};
        qToLittleEndian<quint32>(header, 13, header);
        QFile bitmap(pictures.filePath(QStringLiteral("large.bmp")));
        QVERIFY(bitmap.open(QIODevice::WriteOnly) && bitmap.write("BM") == 2);
        QVERIFY(bitmap.write(reinterpret_cast<const char*>(header), sizeof header) == sizeof header);
        QVERIFY(bitmap.resize(54 + qint64(rowBytes) * side));
        QTest::newRow("PNG") << "back.png";
        QTest::newRow("49 megapixel bitmap") << "large.bmp";
    }
    void pictureAndEventDateCommand() {
        QFETCH(QString, file);
        f->settings.OptBFile = pictures.filePath(file);
        f->settings.OptHaik = QStringLiteral("1");
        f->settings.OptColor[3] = QStringLiteral("&H0000FF00&");
        PELTRA& window = f->open();
        QCOMPARE(window.Image1->geometry(), window.findChild<QWidget*>(QStringLiteral("canvas"))->rect());
        QCOMPARE(window.Image1->pixmap().size(), window.Image1->size());
        QVERIFY(window.Image1->isVisible() && !window.Label1[2]->autoFillBackground());

        QFile broken(f->settings.OptBFile = pictures.filePath(QStringLiteral("broken.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("BM not really a picture") > 0 && broken.flush());
        window.layout().setLabelPosition(0, {1500, 1500});
        QString seen; // the modal window's title, and whether the count went on under it
        whenModalOpens([&](QWidget* modal) {
            seen = modal->windowTitle() + (window.Timer1->isActive() ? " counting" : "");
            qobject_cast<QDialog*>(modal)->reject();
        });
        window.menu.mnuEditEvent->trigger();
        QCOMPARE(seen, QStringLiteral("イベント日の設定"));
        QVERIFY(window.Timer1->isActive() && !near(window.layout().labelPosition(0), {1500, 1500}));
        QVERIFY(window.Image1->isHidden() && window.Label1[2]->autoFillBackground());
        QCOMPARE(window.Label1[2]->palette().color(QPalette::Window), QColor(Qt::green));
    }

    void endQuestion_data() {
        QTest::addColumn<EndWay>("way");
        const int ok = MessageAnswer::Ok, cancel = MessageAnswer::Cancel;
        QTest::newRow("double-click, canvas, OK") << EndWay{"canvas", 0, true, ok};
        QTest::newRow("double-click, count, Cancel") << EndWay{"Label1_2", 0, true, cancel};
        QTest::newRow("double-click switched off") << EndWay{"Label1_1", 0, false, ok};
        QTest::newRow("close box, OK") << EndWay{{}, PELTRA::FormControlMenu, true, ok};
        QTest::newRow("close box, Cancel, double-click off") << EndWay{{}, PELTRA::FormControlMenu, false, cancel};
        QTest::newRow("session end, OK") << EndWay{{}, PELTRA::AppWindows, true, ok};
        QTest::newRow("program's own close") << EndWay{{}, PELTRA::FormCode, true, cancel};
        QTest::newRow("session end, no questions allowed") << EndWay{{}, -1, true, cancel};
    }
    void endQuestion() {
        QFETCH(EndWay, way);
        const auto& [doubleClicked, closeMode, doubleClickOn, answer] = way;
        f->settings.OptDbl = doubleClickOn ? QStringLiteral("1") : QStringLiteral("0");
        PELTRA& window = f->open();
        window.move(300, 60);
        window.layout().setLabelPosition(1, {600, 3000});
        f->platform.answers << answer;
        const bool closing = doubleClicked.isEmpty();
        const bool asked = closing ? closeMode >= 0 && closeMode != PELTRA::FormCode : doubleClickOn;
        const bool ok = asked && answer == MessageAnswer::Ok;
        if (closeMode < 0)
            window.saveForSessionEnd();
        else if (closing)
            QCOMPARE(window.Form_QueryUnload(PELTRA::UnloadMode(closeMode)), asked && !ok);
        else
            QTest::mouseDClick(window.findChild<QWidget*>(doubleClicked), Qt::LeftButton);
        QCOMPARE(f->platform.messages.size(), int(asked));
        QCOMPARE(f->platform.ended, ok);
        // The window's place is written before any question (a close also takes it into the settings); the
        // labels' places by a double-click before asking, by a close only once the user agreed to end.
        const bool labelsSaved = closeMode < 0 || (closing ? ok : asked);
        QCOMPARE(f->saved("M_Left") + f->saved("Label_Top(1)"),
                 QString(closing || asked ? "4500" : "") + (labelsSaved ? "3000" : ""));
        QCOMPARE(f->settings.M_Left, closing ? "4500" : "2880");
    }

    void drag_data() {
        QTest::addColumn<Drag>("drag");
        QTest::newRow("left, upper message") << Drag{true, Qt::LeftButton, 0, {20, 32}, false};
        QTest::newRow("right, lower message, out of the window") << Drag{true, Qt::RightButton, 1, {900, -400}, false};
        QTest::newRow("count, dragged") << Drag{true, Qt::LeftButton, 2, {12, 0}, false};
        QTest::newRow("count, within the drag distance") << Drag{true, Qt::LeftButton, 2, {4, 0}, true};
        QTest::newRow("middle click on the count") << Drag{true, Qt::MiddleButton, 2, {}, false};
        QTest::newRow("switched off, message") << Drag{false, Qt::LeftButton, 0, {48, 48}, false};
        QTest::newRow("switched off, count moved: a click") << Drag{false, Qt::LeftButton, 2, {12, 0}, true};
    }
    void drag() {
        QFETCH(Drag, drag);
        const auto& [on, button, index, path, minimises] = drag;
        f->settings.OptMsgMove = on ? QStringLiteral("1") : QStringLiteral("0");
        PELTRA& window = f->open();
        const QPointF start = window.layout().labelPosition(index);
        QLabel* label = window.Label1[std::size_t(index)];
        QPoint screen = label->mapToGlobal(QPoint(3, 3));
        mouse(label, QEvent::MouseButtonPress, screen, button, button);
        for (int step = 0; step < 4; ++step)
            mouse(label, QEvent::MouseMove, screen += path / 4, Qt::NoButton, button);
        mouse(label, QEvent::MouseButtonRelease, screen, button, Qt::NoButton);
        QCOMPARE(window.layout().labelPosition(index) - start, on ? QPointF(path * 15) : QPointF());
        QCOMPARE(window.isMinimized() && window.returnSchedule().isPending(), minimises);
        mouse(label, QEvent::MouseButtonPress, screen, Qt::LeftButton, Qt::LeftButton);
        QEvent ungrab(QEvent::UngrabMouse); // a modal box takes the mouse: the drag is over
        QApplication::sendEvent(label, &ungrab);
        QVERIFY(!window.dragger().isDragging(index));
    }

    // The count is reached by Tab and framed; Space or Enter on it minimises as a click does, with the place
    // saved and the return counted; arrows move it while moving is on.
    void keyboard_data() {
        QTest::addColumn<bool>("moving");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<bool>("minimises");
        QTest::addColumn<QPoint>("moved"); // pixels
        QTest::addColumn<bool>("wasFocused");
        QTest::newRow("Space") << false << QKeyCombination(Qt::Key_Space) << true << QPoint() << true;
        QTest::newRow("Space, the focus elsewhere before")
            << false << QKeyCombination(Qt::Key_Space) << true << QPoint() << false;
        QTest::newRow("Return") << true << QKeyCombination(Qt::Key_Return) << true << QPoint() << true;
        QTest::newRow("keypad Enter") << false << (Qt::KeypadModifier | Qt::Key_Enter) << true << QPoint() << true;
        QTest::newRow("Ctrl+Space: nothing") << false << (Qt::CTRL | Qt::Key_Space) << false << QPoint() << true;
        QTest::newRow("left, moving on") << true << QKeyCombination(Qt::Key_Left) << false << QPoint(-4, 0) << true;
        QTest::newRow("Shift+down, moving on") << true << (Qt::SHIFT | Qt::Key_Down) << false << QPoint(0, 20) << true;
        QTest::newRow("right, moving off") << false << QKeyCombination(Qt::Key_Right) << false << QPoint() << true;
    }
    void keyboard() {
        QFETCH(bool, moving);
        QFETCH(QKeyCombination, keys);
        QFETCH(bool, minimises);
        QFETCH(QPoint, moved);
        QFETCH(bool, wasFocused);
        f->settings.OptMsgMove = moving ? QStringLiteral("1") : QStringLiteral("0");
        PELTRA& window = f->open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLabel* count = window.Label1[2];
        FocusMark* frame = window.accessibility().focusFrame();
        QVERIFY(!frame->isVisible()); // not at the start, whether or not the count has the focus
        if (wasFocused)               // the window's one stop has the focus since the window's activation
            count->setFocus(Qt::ActiveWindowFocusReason);
        else
            count->clearFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), count);
        QCOMPARE(std::pair(frame->target(), frame->isVisible()), std::pair(static_cast<QWidget*>(count), true));
        QVERIFY(frame->geometry().contains(count->geometry()) && frame->geometry() != count->geometry());
        const QPointF start = window.layout().labelPosition(2);
        QTest::keyClick(count, keys.key(), keys.keyboardModifiers());
        QCOMPARE(window.isMinimized() && window.returnSchedule().isPending(), minimises);
        QCOMPARE(f->saved("M_Left").isEmpty(), !minimises);
        QCOMPARE(window.layout().labelPosition(2) - start, QPointF(moved * 15));
    }

    // What a screen reader reads: the count after the upper message, the panels with what they show.
    void accessibleNames_data() {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("countName");
        QTest::newRow("upper message on two lines")
            << QStringList{"イベントまで\nあと", "頑張ろう！"} << "イベントまで あと 10 日";
        QTest::newRow("no upper message") << QStringList{"", "日です"} << "10 日";
    }
    void accessibleNames() {
        QFETCH(QStringList, messages);
        QFETCH(QString, countName);
        f->settings.OptMsg = {messages[0], messages[1]};
        PELTRA& window = f->open();
        const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(window.Label1[2]), countName);
        QCOMPARE(name(window.Label1[0]).isEmpty(), false);
        QCOMPARE(name(window.StatusBar1->panel(1)), "イベント日：" + f->settings.TheDate.toString("yyyy/MM/dd"));
        QCOMPARE(name(window.StatusBar1->panel(2)), "今日 " + f->settings.DateText);
        QCOMPARE(name(window.StatusBar1->panel(3)), "時刻 " + f->settings.TimeText);
        f->platform.clock = f->platform.clock.addDays(1); // a day later the count is read anew
        window.Timer1_Timer();
        QCOMPARE(name(window.Label1[2]), QString(countName).replace("10", "9"));
    }
};

QTEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
