#include "app/AppSettings.h"
#include "app/Conversions.h"
#include "app/SizePresets.h"
#include "app/WindowPlacement.h"
#include "countdown/CountdownStatusBar.h"
#include "countdown/PELTRA.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>

// One twips step is one pixel (15 twips at 96 dpi); read-backs snap to it.
constexpr double pixelTolerance = 15.5;

class TestCountdownWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void presetGeometry_data();
    void presetGeometry();
    void hiddenDateTimeWidensPanelOnce();
    void loadShowsSettingsAndCount();
    void messagesArePlainText();
    void labelsStandAtSavedPlaces();
    void placeInsideAvailableArea_data();
    void placeInsideAvailableArea();
    void placementInMemory_data();
    void placementInMemory();
    void picture_data();
    void picture();
    void pictureSwitchedOffAgain();
    void maximiseChangesNothing();
    void doubleClickQuestion_data();
    void doubleClickQuestion();
    void doubleClickSwitchedOff();
    void closeQuestion_data();
    void closeQuestion();
    void menuCaptionsAndShortcuts();
    void helpRequests();
    void dialogsStopTimer1_data();
    void dialogsStopTimer1();
    void clockFollowsPlatform();

private:
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    QTemporaryDir pictures;
};

void TestCountdownWindow::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    loadFreshSettings(*platform);
}

void TestCountdownWindow::cleanup() {
    store.reset();
    platform.reset();
}

void TestCountdownWindow::presetGeometry_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<int>("messagesPoint");
    QTest::addColumn<int>("countPoint");
    for (int i = 0; i < presetCount; ++i) {
        static constexpr int messages[] = {34, 25, 20, 15, 9};
        static constexpr int counts[] = {200, 140, 100, 72, 46};
        QTest::addRow("preset %d", i) << QString::number(i) << messages[i] << counts[i];
    }
}

void TestCountdownWindow::presetGeometry() {
    QFETCH(QString, preset);
    QFETCH(int, messagesPoint);
    QFETCH(int, countPoint);
    appSettings().OptSize = preset;
    appSettings().OptFont[1] = QStringLiteral("72"); // the preset decides the point size
    SelectWindowSize(appSettings(), preset);
    // Positions of the preset itself, so that the layout's own values show.
    const SizePreset& p = sizePreset(preset.toInt());
    appSettings().Label_Left = {QString::number(p.messagesLeft), QString::number(p.messagesLeft), QString()};
    appSettings().Label_Top = {QString::number(p.upperTop), QString::number(p.lowerTop), QString::number(p.countTop)};
    appSettings().OptMsg[0] = QStringLiteral("卒業式の日まで毎日欠かさず勉強を続けて必ず第一志望校に合格しよう");
    const auto window = openCountdownWindow();

    QVERIFY(qAbs(window->windowOuterSize().width() - p.width) < pixelTolerance);
    QVERIFY(qAbs(window->windowOuterSize().height() - p.height) < pixelTolerance);
    CountdownLayout& layout = window->layout();
    for (int i : {0, 1}) {
        QVERIFY(qAbs(layout.labelPosition(i).x() - p.messagesLeft) < pixelTolerance);
        QVERIFY(qAbs(layout.labelWidth(i) - p.messagesWidth) < pixelTolerance);
        QVERIFY(qAbs(layout.labelHeight(i) - p.messagesHeight) < pixelTolerance);
        QCOMPARE(window->Label1[std::size_t(i)]->font().pointSizeF(), double(messagesPoint));
    }
    QVERIFY(qAbs(layout.labelPosition(0).y() - p.upperTop) < pixelTolerance);
    QVERIFY(qAbs(layout.labelPosition(1).y() - p.lowerTop) < pixelTolerance);
    QVERIFY(qAbs(layout.labelPosition(2).y() - p.countTop) < pixelTolerance);
    QCOMPARE(window->Label1[2]->font().pointSizeF(), double(countPoint));
    QVERIFY(qAbs(layout.labelHeight(2) - p.countHeight) < pixelTolerance);
    // The digits sit in the middle of the count's box, ...
    const QImage count = window->Label1[2]->grab().toImage();
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
    const QLabel* message = window->Label1[0];
    const int lines = qRound(double(message->heightForWidth(message->width())) / message->fontMetrics().height());
    QCOMPARE(lines, 2);
    QVERIFY(!window->Label1[2]->font().italic());
    QCOMPARE(window->StatusBar1->panelWidth(1), double(p.panel1Width));
    // The count was centred on the window at load, and that place was kept in memory.
    const double centredLeft = (p.width - layout.labelWidth(2)) / 2;
    QVERIFY(qAbs(layout.labelPosition(2).x() - centredLeft) < pixelTolerance);
    QVERIFY(qAbs(appSettings().Label_Left[2].toDouble() - centredLeft) < 1);
}

void TestCountdownWindow::hiddenDateTimeWidensPanelOnce() {
    appSettings().OptDateTime = QStringLiteral("0");
    const auto window = openCountdownWindow();
    window->Form_Activate();
    window->Form_Activate();
    QCOMPARE(window->StatusBar1->panelWidth(1), 7260.0 + 2210.0);
    // The date and time are wholly out of sight, whatever the frame leaves of the bar.
    for (int panel : {2, 3})
        QVERIFY(!window->StatusBar1->panel(panel)->isVisible());
    appSettings().OptDateTime = QStringLiteral("1");
    window->Form_Activate();
    QVERIFY(window->StatusBar1->panel(3)->isVisible());
}

void TestCountdownWindow::loadShowsSettingsAndCount() {
    const auto window = openCountdownWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("ペルトラ for Windows"));
    QCOMPARE(window->Label1[0]->text(), QStringLiteral("高校の入学試験まであと・・・"));
    QCOMPARE(window->Label1[1]->text(), QStringLiteral("最後まで全力を尽くして頑張ろう！"));
    QCOMPARE(window->Label1[2]->text(), QStringLiteral("10"));
    QCOMPARE(window->Label1[2]->toolTip(), QStringLiteral(" クリックすると最小化 "));
    QCOMPARE(window->StatusBar1->panelText(1), QStringLiteral("イベント日：2026/12/16"));
    QCOMPARE(window->StatusBar1->panelText(2), QStringLiteral("2026/12/06"));
    QCOMPARE(window->StatusBar1->panelText(3), QStringLiteral("午前 10:00"));
    QCOMPARE(window->Label1[0]->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(window->Label1[2]->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(window->Label1[2]->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(window->Label1[2]->autoFillBackground());
    QCOMPARE(window->findChild<QWidget*>(QStringLiteral("canvas"))->palette().color(QPalette::Window),
             QColor(Qt::black));
    QCOMPARE(appSettings().MainActivated, quint8(1));
    // Centred on the 1024×768 screen.
    QVERIFY(qAbs(window->windowPosition().x() - 2880) < pixelTolerance);
    QVERIFY(qAbs(window->windowPosition().y() - 2110) < pixelTolerance);
    QCOMPARE(window->Timer1->interval(), 10000);
    QVERIFY(window->Timer1->isActive());
    QCOMPARE(window->Timer2->interval(), 1000);
    QVERIFY(window->Timer2->isActive());
}

void TestCountdownWindow::messagesArePlainText() {
    appSettings().OptMsg[0] = QStringLiteral("<img src=x><b>太字</b>");
    const auto window = openCountdownWindow();
    QCOMPARE(window->Label1[0]->textFormat(), Qt::PlainText);
    QCOMPARE(window->Label1[0]->text(), QStringLiteral("<img src=x><b>太字</b>"));
}

void TestCountdownWindow::labelsStandAtSavedPlaces() {
    store->preset(Section::Position, QStringLiteral("Label_Left(2)"), QStringLiteral("3000"));
    appSettings().Label_Left = {QStringLiteral("300"), QStringLiteral("-450"), QString()};
    appSettings().Label_Top = {QStringLiteral("900"), QStringLiteral("12000"), QStringLiteral("1500")};
    const auto window = openCountdownWindow();
    const QPointF expected[] = {{300, 900}, {-450, 12000}, {3000, 1500}};
    for (int i = 0; i < 3; ++i) {
        QVERIFY2((window->layout().labelPosition(i) - expected[i]).manhattanLength() < 2 * pixelTolerance,
                 qPrintable(QString::number(i)));
    }
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
    QTest::newRow("off the bottom") << QRectF(2880, 2110, 15360, 11520) << screen << QPointF(0, 0);
    QTest::newRow("under the panel") << QRectF(100, 200, 9600, 7300) << belowPanel << QPointF(100, 480);
    QTest::newRow("larger than the area") << QRectF(2880, 2110, 15360, 11520) << belowPanel << QPointF(0, 480);
    QTest::newRow("mostly on the second screen")
        << QRectF(13000, 9000, 9600, 7300) << twoScreens << QPointF(15360, 8900);
    QTest::newRow("mostly on the first screen") << QRectF(10000, 500, 9600, 7300) << twoScreens << QPointF(5760, 500);
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
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPointF>("place");
    QTest::newRow("off every screen: centred") << "2"
                                               << "40000"
                                               << "-20000" << QPointF(2880, 2110);
    QTest::newRow("特大 from 標準's centred place") << "0"
                                                    << "2880"
                                                    << "2110" << QPointF(0, 0);
    QTest::newRow("partly off the left") << "2"
                                         << "-1500"
                                         << "300" << QPointF(0, 300);
}

void TestCountdownWindow::placementInMemory() {
    QFETCH(QString, preset);
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPointF, place);
    appSettings().OptCent = QStringLiteral("0");
    appSettings().OptSize = preset;
    SelectWindowSize(appSettings(), preset);
    appSettings().M_Left = left;
    appSettings().M_Top = top;
    const auto window = openCountdownWindow();
    QCOMPARE(appSettings().M_Left, Conversions::numberText(place.x()));
    QCOMPARE(appSettings().M_Top, Conversions::numberText(place.y()));
    QVERIFY((window->windowPosition() - place).manhattanLength() < pixelTolerance);
    // Nothing was written for it.
    QVERIFY(store->value(Section::Position, QStringLiteral("M_Left")).isEmpty());
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
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM not really a picture");
    file.close();
    QTest::newRow("picture on") << "1" << png << true;
    QTest::newRow("switch off, file named") << "0" << png << false;
    QTest::newRow("switch on, no file") << "1" << QString() << false;
    QTest::newRow("missing file") << "1" << pictures.filePath(QStringLiteral("gone.png")) << false;
    QTest::newRow("undecodable file") << "1" << broken << false;
    QTest::newRow("a folder") << "1" << pictures.path() << false;
    // 49 megapixels: past the reader's allocation limit at full size. Written row by row, so the
    // test itself never holds the whole picture.
    const QString large = pictures.filePath(QStringLiteral("large.bmp"));
    QFile bitmap(large);
    QVERIFY(bitmap.open(QIODevice::WriteOnly));
    constexpr int side = 7000;
    constexpr int rowBytes = (side * 3 + 3) / 4 * 4;
    QByteArray header(54, '\0');
    const auto put = [&](int offset, quint32 value) { qToLittleEndian(value, header.data() + offset); };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54 + rowBytes * side);
    put(10, 54);
    put(14, 40);
    put(18, side);
    put(22, side);
    header[26] = 1;
    header[28] = 24;
    bitmap.write(header);
    const QByteArray row(rowBytes, '\x60');
    for (int y = 0; y < side; ++y)
        bitmap.write(row);
    bitmap.close();
    QTest::newRow("49 megapixel bitmap") << "1" << large << true;
}

void TestCountdownWindow::picture() {
    QFETCH(QString, haik);
    QFETCH(QString, file);
    QFETCH(bool, shown);
    appSettings().OptHaik = haik;
    appSettings().OptBFile = file;
    const auto window = openCountdownWindow();
    QCOMPARE(window->layout().showsPicture(), shown);
    QCOMPARE(window->Image1->isVisible(), shown);
    QCOMPARE(window->Label1[2]->autoFillBackground(), !shown);
    if (shown) {
        // It fills the client area down to the status bar, decoded at the size it is shown.
        const QWidget* canvas = window->findChild<QWidget*>(QStringLiteral("canvas"));
        QCOMPARE(window->Image1->geometry(), canvas->rect());
        QCOMPARE(window->Image1->mapTo(window.get(), QPoint(0, window->Image1->height())),
                 window->StatusBar1->mapTo(window.get(), QPoint(0, 0)));
        QCOMPARE(window->Image1->pixmap().size(), window->Image1->size());
    }
}

void TestCountdownWindow::pictureSwitchedOffAgain() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    appSettings().OptBFile = pictures.filePath(QStringLiteral("red.png"));
    QVERIFY(image.save(appSettings().OptBFile));
    appSettings().OptHaik = QStringLiteral("1");
    appSettings().OptColor[3] = QStringLiteral("&H0000FF00&");
    const auto window = openCountdownWindow();
    QVERIFY(!window->Label1[2]->autoFillBackground());
    appSettings().OptHaik = QStringLiteral("0");
    window->Form_Activate();
    QVERIFY(window->Image1->isHidden());
    QVERIFY(window->Label1[2]->autoFillBackground());
    QCOMPARE(window->Label1[2]->palette().color(QPalette::Window), QColor(Qt::green));
}

void TestCountdownWindow::maximiseChangesNothing() {
    const auto window = openCountdownWindow();
    const QRect before = window->frameGeometry();
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window->setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!window->isMaximized());
    QCOMPARE(window->frameGeometry(), before);
}

void TestCountdownWindow::doubleClickQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("where");
    for (const char* where : {"canvas", "Label1_0", "Label1_2", "StatusBar1", "menu"}) {
        QTest::addRow("OK, %s", where) << MessageAnswer::Ok << where;
        QTest::addRow("Cancel, %s", where) << MessageAnswer::Cancel << where;
    }
}

void TestCountdownWindow::doubleClickQuestion() {
    QFETCH(int, answer);
    QFETCH(QString, where);
    const auto window = openCountdownWindow();
    window->move(150, 90);
    window->layout().setLabelPosition(0, {450, 1200});
    platform->answers << answer;
    if (where == QLatin1String("menu"))
        window->mnuFileEnd->trigger();
    else
        QTest::mouseDClick(window->findChild<QWidget*>(where), Qt::LeftButton);

    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages[0].prompt, QStringLiteral("「ペルトラ for Windows」 を 終了しますか？"));
    QCOMPARE(platform->messages[0].style, 33);
    QCOMPARE(platform->messages[0].title, QStringLiteral("終了確認"));
    QCOMPARE(platform->ended, answer == MessageAnswer::Ok);
    // Saved before the question, whatever the answer; the settings keep their position.
    QCOMPARE(store->value(Section::Position, QStringLiteral("M_Left")), QStringLiteral("2250"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("M_Top")), QStringLiteral("1350"));
    QCOMPARE(appSettings().M_Left, QStringLiteral("2880"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Left(0)")), QStringLiteral("450"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(0)")), QStringLiteral("1200"));
    QCOMPARE(appSettings().Label_Top[0], QStringLiteral("1200"));
    QVERIFY(!store->value(Section::Position, QStringLiteral("Label_Left(2)")).isEmpty());
}

void TestCountdownWindow::doubleClickSwitchedOff() {
    appSettings().OptDbl = QStringLiteral("0");
    const auto window = openCountdownWindow();
    QTest::mouseDClick(window->Label1[1], Qt::LeftButton);
    QTest::mouseDClick(window->StatusBar1, Qt::LeftButton);
    window->mnuFileEnd->trigger();
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(store->value(Section::Position, QStringLiteral("M_Left")).isEmpty());
    // The close command still asks.
    platform->answers << MessageAnswer::Cancel;
    QVERIFY(window->Form_QueryUnload(PELTRA::FormControlMenu));
    QCOMPARE(platform->messages.size(), 1);
}

void TestCountdownWindow::closeQuestion_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("close box, OK") << int(PELTRA::FormControlMenu) << MessageAnswer::Ok << true;
    QTest::newRow("close box, Cancel") << int(PELTRA::FormControlMenu) << MessageAnswer::Cancel << true;
    QTest::newRow("session end, OK") << int(PELTRA::AppWindows) << MessageAnswer::Ok << true;
    QTest::newRow("task manager, Cancel") << int(PELTRA::AppTaskManager) << MessageAnswer::Cancel << true;
    QTest::newRow("program's own close") << int(PELTRA::FormCode) << MessageAnswer::Cancel << false;
}

void TestCountdownWindow::closeQuestion() {
    QFETCH(int, mode);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    const auto window = openCountdownWindow();
    window->move(300, 60);
    window->layout().setLabelPosition(1, {600, 3000});
    platform->answers << answer;
    const bool cancelled = window->Form_QueryUnload(PELTRA::UnloadMode(mode));

    QCOMPARE(platform->messages.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(platform->messages[0].prompt, QStringLiteral("「ペルトラ for Windows」 を終了しますか？　"));
        QCOMPARE(platform->messages[0].style, 33);
        QCOMPARE(platform->messages[0].title, QStringLiteral("終了確認"));
    }
    const bool ok = asked && answer == MessageAnswer::Ok;
    QCOMPARE(cancelled, asked && !ok);
    QCOMPARE(platform->ended, ok);
    QCOMPARE(store->value(Section::Position, QStringLiteral("M_Left")), QStringLiteral("4500"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("M_Top")), QStringLiteral("900"));
    QCOMPARE(appSettings().M_Left, QStringLiteral("4500"));
    // Label positions are saved only when the user agreed to end.
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(1)")), ok ? QStringLiteral("3000") : QString());
    // Labels that were not moved keep their whole-twip places.
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Left(0)")), ok ? QStringLiteral("160") : QString());
}

void TestCountdownWindow::menuCaptionsAndShortcuts() {
    const auto window = openCountdownWindow();
    QStringList captions;
    for (QAction* menu : window->menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions())
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text() + u'|' + item->shortcut().toString());
    }
    const QStringList expected{
        QStringLiteral("ﾌｧｲﾙ(&F)"),
        QStringLiteral("ペルトラ の終了(&X)...|"),
        QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"),
        QStringLiteral("各種設定(&K)|Ctrl+K"),
        QStringLiteral("イベント日の設定(&V)|Ctrl+V"),
        QStringLiteral("ﾍﾙﾌﾟ(&H)"),
        QStringLiteral("ﾄﾋﾟｯｸによる検索(&H)|F1"),
        QStringLiteral("目次(&C)|"),
        QStringLiteral("-"),
        QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)...|"),
    };
    QCOMPARE(captions, expected);
}

void TestCountdownWindow::helpRequests() {
    const auto window = openCountdownWindow();
    window->mnuHelpContents_KeyWord[0]->trigger();
    window->mnuHelpContents_KeyWord[1]->trigger();
    window->mnuHelpContents_KeyWord[0]->trigger();
    QCOMPARE(platform->helpRequests.size(), 3);
    QCOMPARE(platform->helpRequests[0].command, 0x105);
    QCOMPARE(platform->helpRequests[1].command, 3);
    for (const auto& request : platform->helpRequests) {
        QCOMPARE(request.window.data(), window.get());
        QCOMPARE(request.helpFile, QStringLiteral("/opt/peltra/PELTRA.HLP"));
        QCOMPARE(request.data, 0);
    }
    QVERIFY(window->Timer1->isActive());
}

void TestCountdownWindow::dialogsStopTimer1_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("timer1Runs");
    QTest::newRow("settings") << "mnuOptSettei"
                              << "各種設定" << false;
    QTest::newRow("event date") << "mnuEditEvent"
                                << "イベント日の設定" << false;
    QTest::newRow("about") << "mnuHelpAbout"
                           << "ﾊﾞｰｼﾞｮﾝ情報" << true;
}

void TestCountdownWindow::dialogsStopTimer1() {
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(bool, timer1Runs);
    const auto window = openCountdownWindow();
    window->layout().setLabelPosition(0, {1500, 1500}); // dragged, not saved
    QString seenTitle;
    bool seenTimer1 = !timer1Runs;
    whenModalOpens([&](QWidget* modal) {
        seenTitle = modal->windowTitle();
        seenTimer1 = window->Timer1->isActive();
        qobject_cast<QDialog*>(modal)->reject();
    });
    window->findChild<QAction*>(command)->trigger();
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenTimer1, timer1Runs);
    QVERIFY(window->Timer1->isActive());
    QVERIFY(window->Timer2->isActive());
    // Only the settings command saves the labels first; otherwise the drag is undone.
    const bool kept = command == QLatin1String("mnuOptSettei");
    QCOMPARE(qAbs(window->layout().labelPosition(0).x() - 1500) < pixelTolerance, kept);
}

void TestCountdownWindow::clockFollowsPlatform() {
    const auto window = openCountdownWindow();
    platform->clock = QDateTime(QDate(2027, 1, 2), QTime(15, 45, 30));
    window->Timer2_Timer();
    QCOMPARE(window->StatusBar1->panelText(2), QStringLiteral("2027/01/02"));
    QCOMPARE(window->StatusBar1->panelText(3), QStringLiteral("午後 03:45"));
}

QTEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
