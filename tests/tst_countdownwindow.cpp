#include "app/AppSettings.h"
#include "app/Conversions.h"
#include "app/SizePresets.h"
#include "app/WindowPlacement.h"
#include "countdown/CountdownStatusBar.h"
#include "tests/support/WindowTestHelpers.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <optional>

namespace {
// One twips step is one pixel (15 twips at 96 dpi); read-backs snap to it.
bool near(double a, double b) {
    return qAbs(a - b) < 15.5;
}
bool near(QPointF a, QPointF b) {
    return near(a.x(), b.x()) && near(a.y(), b.y());
}

// Sends mouse events as the window system delivers them to a label that holds the pointer: the
// pointer is given in screen coordinates, and the label follows it while dragged.
class Pointer {
public:
    Pointer(QLabel* label, QPoint grip) : label(label), screen(label->mapToGlobal(grip)) {}
    void press(Qt::MouseButton pressed) { send(QEvent::MouseButtonPress, button = pressed, pressed); }
    void moveBy(QPoint delta) {
        screen += delta;
        send(QEvent::MouseMove, Qt::NoButton, button);
    }
    void release() { send(QEvent::MouseButtonRelease, button, Qt::NoButton); }
    QPoint grip() const { return label->mapFromGlobal(screen); }
    void send(QEvent::Type type, Qt::MouseButton changed, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(label->mapFromGlobal(screen)), QPointF(screen), changed, held, Qt::NoModifier);
        QApplication::sendEvent(label, &event);
    }

private:
    QLabel* label;
    QPoint screen;
    Qt::MouseButton button = Qt::NoButton;
};
} // namespace

class TestCountdownWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }
    void presetGeometry_data();
    void presetGeometry();
    void loadShowsCountDatesAndPlaces();
    void placeInsideAvailableArea_data();
    void placeInsideAvailableArea();
    void placementInMemory_data();
    void placementInMemory();
    void picture_data();
    void picture();
    void maximiseChangesNothing();
    void endQuestion_data();
    void endQuestion();
    void menuCommands_data();
    void menuCommands();
    void drag_data();
    void drag();
    void draggedPlacesSavedOrUndone();
    void dragEndsWhenTheMouseIsTaken();

private:
    std::optional<CountdownFixture> f;
    QTemporaryDir pictures;
};

void TestCountdownWindow::presetGeometry_data() {
    QTest::addColumn<int>("preset");
    for (int i = 0; i < presetCount; ++i)
        QTest::addRow("preset %d", i) << i;
}

void TestCountdownWindow::presetGeometry() {
    QFETCH(int, preset);
    const SizePreset& p = sizePreset(preset);
    AppSettings& settings = appSettings();
    settings.OptSize = QString::number(preset);
    settings.OptFont[1] = QStringLiteral("72"); // the preset decides the point size
    settings.OptFont2[3] = QStringLiteral("1"); // nor is the count ever italic
    SelectWindowSize(settings, settings.OptSize);
    // The preset's own label places, so that the layout's sizes show.
    settings.Label_Left = {QString::number(p.messagesLeft), QString::number(p.messagesLeft), QString()};
    settings.Label_Top = {QString::number(p.upperTop), QString::number(p.lowerTop), QString::number(p.countTop)};
    settings.OptMsg[0] = QStringLiteral("卒業式の日まで毎日欠かさず勉強を続けて必ず第一志望校に合格しよう");
    PELTRA& window = f->open();
    CountdownLayout& layout = window.layout();

    QVERIFY(near(window.windowOuterSize().width(), p.width) && near(window.windowOuterSize().height(), p.height));
    for (int i : {0, 1}) {
        QVERIFY(near(layout.labelPosition(i), QPointF(p.messagesLeft, i ? p.lowerTop : p.upperTop)));
        QVERIFY(near(layout.labelWidth(i), p.messagesWidth) && near(layout.labelHeight(i), p.messagesHeight));
        QCOMPARE(window.Label1[std::size_t(i)]->font().pointSize(), p.messagesPointSize);
    }
    QCOMPARE(window.Label1[2]->font().pointSize(), p.countPointSize);
    QVERIFY(!window.Label1[2]->font().italic());
    QVERIFY(near(layout.labelHeight(2), p.countHeight));
    QCOMPARE(window.StatusBar1->panelWidth(1), double(p.panel1Width));
    // The count is centred on the window at load, and that place is kept in memory.
    const double centredLeft = (p.width - layout.labelWidth(2)) / 2;
    QVERIFY(near(layout.labelPosition(2), QPointF(centredLeft, p.countTop)));
    QVERIFY(qAbs(settings.Label_Left[2].toDouble() - centredLeft) < 1);
    // The digits sit in the middle of the count's box, ...
    const QImage count = window.Label1[2]->grab().toImage();
    int inkTop = count.height(), inkBottom = -1;
    for (int y = 0; y < count.height(); ++y) {
        for (int x = 0; x < count.width(); ++x) {
            if (qGray(count.pixel(x, y)) < 128) {
                inkTop = std::min(inkTop, y);
                inkBottom = y;
            }
        }
    }
    QVERIFY2(inkBottom > inkTop && qAbs(inkTop - (count.height() - 1 - inkBottom)) <= 2,
             qPrintable(QStringLiteral("ink rows %1 to %2 of %3").arg(inkTop).arg(inkBottom).arg(count.height())));
    // ... and the long message takes two whole lines within the message's width.
    const QLabel* message = window.Label1[0];
    QCOMPARE(qRound(double(message->heightForWidth(message->width())) / message->fontMetrics().height()), 2);
}

void TestCountdownWindow::loadShowsCountDatesAndPlaces() {
    AppSettings& settings = appSettings();
    settings.OptMsg[0] = QStringLiteral("<img src=x><b>太字</b>");
    settings.OptDateTime = QStringLiteral("0");
    f->store.preset(Section::Position, QStringLiteral("Label_Left(2)"), QStringLiteral("3000"));
    settings.Label_Left = {QStringLiteral("300"), QStringLiteral("-450"), QString()};
    settings.Label_Top = {QStringLiteral("900"), QStringLiteral("12000"), QStringLiteral("1500")};
    PELTRA& window = f->open();

    QCOMPARE(window.Label1[0]->text(), settings.OptMsg[0]); // as typed, never as markup
    QCOMPARE(window.Label1[0]->textFormat(), Qt::PlainText);
    QCOMPARE(window.Label1[2]->text(), QStringLiteral("10"));
    QCOMPARE(window.StatusBar1->panelText(1), QStringLiteral("イベント日：2026/12/16"));
    // Centred on the 1024×768 screen; the labels at their saved places, the count's left from the file.
    QVERIFY(near(window.windowPosition(), QPointF(2880, 2110)));
    const QPointF labels[] = {{300, 900}, {-450, 12000}, {3000, 1500}};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(near(window.layout().labelPosition(i), labels[i]), qPrintable(QString::number(i)));
    QVERIFY(window.Timer1->isActive() && window.Timer2->isActive());
    QCOMPARE(window.Timer1->interval(), 10000);

    // With the date and time hidden the first panel widens once, however often the window is activated.
    window.Form_Activate();
    window.Form_Activate();
    QCOMPARE(window.StatusBar1->panelWidth(1), 7260.0 + 2210.0);
    QVERIFY(!window.StatusBar1->panel(2)->isVisible() && !window.StatusBar1->panel(3)->isVisible());
    settings.OptDateTime = QStringLiteral("1");
    window.Form_Activate();
    QVERIFY(window.StatusBar1->panel(3)->isVisible());
    f->platform.clock = QDateTime(QDate(2027, 1, 2), QTime(15, 45, 30));
    window.Timer2_Timer();
    QCOMPARE(window.StatusBar1->panelText(2), QStringLiteral("2027/01/02"));
    QCOMPARE(window.StatusBar1->panelText(3), QStringLiteral("午後 03:45"));
}

void TestCountdownWindow::placeInsideAvailableArea_data() {
    QTest::addColumn<QRectF>("window");
    QTest::addColumn<QList<QRectF>>("areas");
    QTest::addColumn<QPointF>("place");
    const QList<QRectF> screen{QRectF(0, 0, 15360, 11520)};
    // Below a 32-pixel panel at the top: the screen's available area.
    const QList<QRectF> belowPanel{QRectF(0, 480, 15360, 11040)};
    const QList<QRectF> twoScreens{QRectF(0, 0, 15360, 11520), QRectF(15360, 0, 28800, 16200)};
    QTest::newRow("inside stays") << QRectF(2880, 2110, 9600, 7300) << screen << QPointF(2880, 2110);
    QTest::newRow("off the right") << QRectF(9000, 2000, 9600, 7300) << screen << QPointF(5760, 2000);
    QTest::newRow("off the left") << QRectF(-300, 2000, 9600, 7300) << screen << QPointF(0, 2000);
    QTest::newRow("under the panel") << QRectF(100, 200, 9600, 7300) << belowPanel << QPointF(100, 480);
    QTest::newRow("larger than the area") << QRectF(2880, 2110, 15360, 11520) << belowPanel << QPointF(0, 480);
    QTest::newRow("mostly on the second") << QRectF(13000, 9000, 9600, 7300) << twoScreens << QPointF(15360, 8900);
    QTest::newRow("mostly on the first") << QRectF(10000, 500, 9600, 7300) << twoScreens << QPointF(5760, 500);
    // Beside a second screen that a panel shortened, level with the first one only.
    const QList<QRectF> lowSecond{QRectF(0, 0, 15360, 11520), QRectF(15360, 3000, 15360, 8520)};
    QTest::newRow("on neither, nearer the second") << QRectF(40000, 0, 9600, 2500) << lowSecond << QPointF(21120, 3000);
    QTest::newRow("no areas known") << QRectF(-500, -500, 9600, 7300) << QList<QRectF>() << QPointF(-500, -500);
}

void TestCountdownWindow::placeInsideAvailableArea() {
    QFETCH(QRectF, window);
    QFETCH(QList<QRectF>, areas);
    QFETCH(QPointF, place);
    QCOMPARE(::placeInsideAvailableArea(window, areas), place);
}

void TestCountdownWindow::placementInMemory_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QPointF>("stored");
    QTest::addColumn<QPointF>("place");
    QTest::newRow("off every screen: centred") << "2" << QPointF(40000, -20000) << QPointF(2880, 2110);
    QTest::newRow("特大 from 標準's centred place") << "0" << QPointF(2880, 2110) << QPointF(0, 0);
    QTest::newRow("partly off the left") << "2" << QPointF(-1500, 300) << QPointF(0, 300);
}

void TestCountdownWindow::placementInMemory() {
    QFETCH(QString, preset);
    QFETCH(QPointF, stored);
    QFETCH(QPointF, place);
    appSettings().OptCent = QStringLiteral("0");
    appSettings().OptSize = preset;
    SelectWindowSize(appSettings(), preset);
    appSettings().M_Left = Conversions::numberText(stored.x());
    appSettings().M_Top = Conversions::numberText(stored.y());
    QVERIFY(near(f->open().windowPosition(), place));
    QCOMPARE(appSettings().M_Left, Conversions::numberText(place.x()));
    QCOMPARE(appSettings().M_Top, Conversions::numberText(place.y()));
    QVERIFY(f->saved("M_Left").isEmpty()); // nothing written for it
}

void TestCountdownWindow::picture_data() {
    QTest::addColumn<QString>("haik");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("shown");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString png = pictures.filePath(QStringLiteral("back.png"));
    image.save(png);
    const QString broken = pictures.filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("BM not really a picture") > 0);
    file.close();
    // 49 megapixels, past the reader's allocation limit at full size; its rows are left to the
    // file system, so the test never holds the whole picture.
    constexpr quint32 side = 7000, rowBytes = (side * 3 + 3) / 4 * 4;
    const QString large = pictures.filePath(QStringLiteral("large.bmp"));
    QFile bitmap(large);
    QVERIFY(bitmap.open(QIODevice::WriteOnly));
    quint32 header[13] = {54 + rowBytes * side, 0, 54, 40, side, side, 1 | 24 << 16};
    for (quint32& field : header)
        field = qToLittleEndian(field);
    bitmap.write("BM");
    bitmap.write(reinterpret_cast<const char*>(header), sizeof header);
    QVERIFY(bitmap.resize(54 + qint64(rowBytes) * side));
    bitmap.close();
    QTest::newRow("picture on") << "1" << png << true;
    QTest::newRow("switch off, file named") << "0" << png << false;
    QTest::newRow("switch on, no file") << "1" << QString() << false;
    QTest::newRow("missing file") << "1" << pictures.filePath(QStringLiteral("gone.png")) << false;
    QTest::newRow("undecodable file") << "1" << broken << false;
    QTest::newRow("a folder") << "1" << pictures.path() << false;
    QTest::newRow("49 megapixel bitmap") << "1" << large << true;
}

void TestCountdownWindow::picture() {
    QFETCH(QString, haik);
    QFETCH(QString, file);
    QFETCH(bool, shown);
    appSettings().OptHaik = haik;
    appSettings().OptBFile = file;
    appSettings().OptColor[3] = QStringLiteral("&H0000FF00&");
    PELTRA& window = f->open();
    if (shown) {
        // It fills the client area down to the status bar, decoded at the size it is shown, and the
        // count's box lets it through.
        QVERIFY(window.Image1->isVisible() && window.layout().showsPicture());
        QCOMPARE(window.Image1->geometry(), window.findChild<QWidget*>(QStringLiteral("canvas"))->rect());
        QCOMPARE(window.Image1->mapTo(&window, QPoint(0, window.Image1->height())),
                 window.StatusBar1->mapTo(&window, QPoint(0, 0)));
        QCOMPARE(window.Image1->pixmap().size(), window.Image1->size());
        QVERIFY(!window.Label1[2]->autoFillBackground());
        appSettings().OptHaik = QStringLiteral("0"); // switched off again
        window.Form_Activate();
    }
    QVERIFY(window.Image1->isHidden() && !window.layout().showsPicture());
    QVERIFY(window.Label1[2]->autoFillBackground());
    QCOMPARE(window.Label1[2]->palette().color(QPalette::Window), QColor(Qt::green));
}

void TestCountdownWindow::maximiseChangesNothing() {
    PELTRA& window = f->open();
    const QRect before = window.frameGeometry();
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!window.isMaximized());
    QCOMPARE(window.frameGeometry(), before);
}

void TestCountdownWindow::endQuestion_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("doubleClickOn");
    QTest::addColumn<int>("answer");
    const int ok = MessageAnswer::Ok, cancel = MessageAnswer::Cancel;
    QTest::newRow("double-click, canvas, OK") << "canvas" << true << ok;
    QTest::newRow("double-click, message, Cancel") << "Label1_0" << true << cancel;
    QTest::newRow("double-click, count, OK") << "Label1_2" << true << ok;
    QTest::newRow("double-click, status bar, Cancel") << "StatusBar1" << true << cancel;
    QTest::newRow("menu, OK") << "menu" << true << ok;
    QTest::newRow("double-click switched off") << "Label1_1" << false << ok;
    QTest::newRow("menu, double-click switched off") << "menu" << false << ok;
    QTest::newRow("close box, OK") << "close" << true << ok;
    QTest::newRow("close box, Cancel") << "close" << true << cancel;
    QTest::newRow("close box, double-click switched off") << "close" << false << cancel;
    QTest::newRow("session end, OK") << "session" << true << ok;
    QTest::newRow("task manager, Cancel") << "taskmanager" << true << cancel;
    QTest::newRow("program's own close") << "program" << true << cancel;
}

void TestCountdownWindow::endQuestion() {
    QFETCH(QString, way);
    QFETCH(bool, doubleClickOn);
    QFETCH(int, answer);
    appSettings().OptDbl = doubleClickOn ? QStringLiteral("1") : QStringLiteral("0");
    PELTRA& window = f->open();
    window.move(300, 60);
    window.layout().setLabelPosition(1, {600, 3000});
    f->platform.answers << answer;
    const QHash<QString, PELTRA::UnloadMode> closes{{QStringLiteral("close"), PELTRA::FormControlMenu},
                                                    {QStringLiteral("session"), PELTRA::AppWindows},
                                                    {QStringLiteral("taskmanager"), PELTRA::AppTaskManager},
                                                    {QStringLiteral("program"), PELTRA::FormCode}};
    const bool closing = closes.contains(way);
    const bool asked = closing ? way != QLatin1String("program") : doubleClickOn;
    const bool ok = asked && answer == MessageAnswer::Ok;
    if (closing)
        QCOMPARE(window.Form_QueryUnload(closes[way]), asked && !ok);
    else if (way == QLatin1String("menu"))
        window.mnuFileEnd->trigger();
    else
        QTest::mouseDClick(window.findChild<QWidget*>(way), Qt::LeftButton);

    QCOMPARE(f->platform.messages.size(), int(asked));
    if (asked) {
        QCOMPARE(f->platform.messages[0].style, MessageStyle::Question);
        QCOMPARE(f->platform.messages[0].title, QStringLiteral("終了確認"));
    }
    QCOMPARE(f->platform.ended, ok);
    // The window's place is written before any question; a close also takes it into the settings.
    QCOMPARE(f->saved("M_Left"), closing || asked ? QStringLiteral("4500") : QString());
    QCOMPARE(f->saved("M_Top"), closing || asked ? QStringLiteral("900") : QString());
    QCOMPARE(appSettings().M_Left, closing ? QStringLiteral("4500") : QStringLiteral("2880"));
    // A double-click saves the labels before asking; a close only once the user agreed to end.
    // Labels that were not moved keep their whole-twip places.
    const bool labelsSaved = closing ? ok : asked;
    QCOMPARE(f->saved("Label_Top(1)"), labelsSaved ? QStringLiteral("3000") : QString());
    QCOMPARE(f->saved("Label_Left(0)"), labelsSaved ? QStringLiteral("160") : QString());
    QVERIFY(f->saved("Label_Left(2)").isEmpty() != labelsSaved);
}

void TestCountdownWindow::menuCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("opens"); // a modal window's title, or empty for a help request
    QTest::addColumn<int>("helpCommand");
    QTest::addColumn<bool>("timer1Runs");
    QTest::addColumn<bool>("dragKept");
    QTest::newRow("settings") << "mnuOptSettei" << QKeySequence(Qt::CTRL | Qt::Key_K) << "各種設定" << 0 << false
                              << true;
    QTest::newRow("event date") << "mnuEditEvent" << QKeySequence(Qt::CTRL | Qt::Key_V) << "イベント日の設定" << 0
                                << false << false;
    QTest::newRow("about") << "mnuHelpAbout" << QKeySequence() << "ﾊﾞｰｼﾞｮﾝ情報" << 0 << true << false;
    QTest::newRow("help topics") << "mnuHelpContents_KeyWord_0" << QKeySequence(Qt::Key_F1) << "" << 0x105 << true
                                 << true;
    QTest::newRow("help contents") << "mnuHelpContents_KeyWord_1" << QKeySequence() << "" << 3 << true << true;
}

void TestCountdownWindow::menuCommands() {
    QFETCH(QString, command);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, opens);
    QFETCH(int, helpCommand);
    QFETCH(bool, timer1Runs);
    QFETCH(bool, dragKept);
    PELTRA& window = f->open();
    window.layout().setLabelPosition(0, {1500, 1500}); // dragged, not saved
    QString seenTitle;
    bool seenTimer1 = !timer1Runs;
    if (!opens.isEmpty()) {
        whenModalOpens([&](QWidget* modal) {
            seenTitle = modal->windowTitle();
            seenTimer1 = window.Timer1->isActive();
            qobject_cast<QDialog*>(modal)->reject();
        });
    }
    QAction* action = window.findChild<QAction*>(command);
    QCOMPARE(action->shortcut(), shortcut);
    action->trigger();
    if (opens.isEmpty()) {
        QCOMPARE(f->platform.helpRequests.size(), 1);
        const ScriptedPlatform::HelpRequest& request = f->platform.helpRequests[0];
        QVERIFY(request.window.data() == &window && request.command == helpCommand && request.data == 0);
        QCOMPARE(request.helpFile, QStringLiteral("/opt/peltra/PELTRA.HLP"));
    } else {
        QCOMPARE(seenTitle, opens);
        QCOMPARE(seenTimer1, timer1Runs);
    }
    QVERIFY(window.Timer1->isActive() && window.Timer2->isActive());
    // Only the settings command saves the labels first; a command that lays the window out again
    // otherwise undoes the drag.
    QCOMPARE(near(window.layout().labelPosition(0).x(), 1500), dragKept);
}

void TestCountdownWindow::drag_data() {
    QTest::addColumn<bool>("dragOn");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("path"); // pixels, in four steps
    QTest::addColumn<bool>("minimises");
    QTest::newRow("left, upper message") << true << Qt::LeftButton << 0 << QPoint(20, 32) << false;
    QTest::newRow("right, lower message, up") << true << Qt::RightButton << 1 << QPoint(-40, -200) << false;
    QTest::newRow("middle, lower message") << true << Qt::MiddleButton << 1 << QPoint(8, 4) << false;
    QTest::newRow("out of the window") << true << Qt::LeftButton << 0 << QPoint(900, -400) << false;
    QTest::newRow("count, dragged") << true << Qt::LeftButton << 2 << QPoint(12, 0) << false;
    QTest::newRow("count, within the drag distance") << true << Qt::LeftButton << 2 << QPoint(4, 0) << true;
    QTest::newRow("switched off, message") << false << Qt::LeftButton << 0 << QPoint(48, 48) << false;
    QTest::newRow("switched off, count moved: a click") << false << Qt::LeftButton << 2 << QPoint(12, 0) << true;
}

void TestCountdownWindow::drag() {
    QFETCH(bool, dragOn);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, index);
    QFETCH(QPoint, path);
    QFETCH(bool, minimises);
    appSettings().OptMsgMove = dragOn ? QStringLiteral("1") : QStringLiteral("0");
    PELTRA& window = f->open();
    const QPointF start = window.layout().labelPosition(index);
    Pointer pointer(window.Label1[std::size_t(index)], QPoint(3, 3));
    pointer.press(button);
    QCOMPARE(window.dragger().isDragging(index), dragOn);
    for (int step = 0; step < 4; ++step)
        pointer.moveBy(path / 4);
    if (dragOn)
        QCOMPARE(pointer.grip(), QPoint(3, 3)); // the grabbed point stays under the pointer
    pointer.release();
    QVERIFY(!window.dragger().isDragging(index));
    QCOMPARE(window.layout().labelPosition(index) - start, dragOn ? QPointF(path * 15) : QPointF());
    QCOMPARE(window.isMinimized(), minimises);
    QCOMPARE(window.returnSchedule().isPending(), minimises);
}

void TestCountdownWindow::draggedPlacesSavedOrUndone() {
    PELTRA& window = f->open();
    const auto dragLowerMessage = [&] {
        Pointer pointer(window.Label1[1], QPoint(3, 3));
        pointer.press(Qt::LeftButton);
        pointer.moveBy(QPoint(-4, 12));
        pointer.release();
    };
    dragLowerMessage();
    window.Form_Activate(); // as after the event-date window: an unsaved drag is undone
    QCOMPARE(window.layout().labelPosition(1), QPointF(160, 4740));
    dragLowerMessage();
    window.SaveLabelPositions();
    QCOMPARE(f->saved("Label_Left(1)"), QStringLiteral("100"));
    QCOMPARE(f->saved("Label_Top(1)"), QStringLiteral("4920"));
    QCOMPARE(appSettings().Label_Top[1], QStringLiteral("4920"));
    QCOMPARE(f->saved("Label_Top(0)"), QStringLiteral("680"));
}

void TestCountdownWindow::dragEndsWhenTheMouseIsTaken() {
    PELTRA& window = f->open();
    Pointer pointer(window.Label1[0], QPoint(3, 3));
    pointer.press(Qt::LeftButton);
    QEvent ungrab(QEvent::UngrabMouse);
    QApplication::sendEvent(window.Label1[0], &ungrab);
    QVERIFY(!window.dragger().isDragging(0));
    // A move with no button held (the release went to a modal box) ends it too.
    pointer.press(Qt::LeftButton);
    QVERIFY(window.dragger().isDragging(0));
    pointer.send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    QVERIFY(!window.dragger().isDragging(0));
}

QTEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
