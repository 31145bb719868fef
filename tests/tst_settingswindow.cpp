// The settings window as it opens: its controls, their places, and the settings they show.
#include "app/AppSettings.h"
#include "app/Twips.h"
#include "countdown/PELTRA.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SettingsWindowTesting.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace SettingsWindowTesting;

class TestSettingsWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAndTabs();
    void captions_data();
    void captions();
    void places_data();
    void places();
    void fontsAndBoxes();
    void tabOrder();
    void loadsStoredSettings();
    void swatchColours_data();
    void swatchColours();
    void opensOnRecordedTab_data();
    void opensOnRecordedTab();
    void unusableStoredValues_data();
    void unusableStoredValues();
    void valuesOutsideRangeInMemory();
    void interval_data();
    void interval();
    void spinnerArrows();
    void pictureSwitchEnablesPicker();
    void sizeOptions();

private:
    void load() { loadFreshSettings(*platform); }

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestSettingsWindow::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2026/12/24"));
}

void TestSettingsWindow::cleanup() {
    store.reset();
    platform.reset();
}

void TestSettingsWindow::windowAndTabs() {
    load();
    const auto window = openSettings();
    QCOMPARE(window->windowTitle(), QStringLiteral("各種設定"));
    QCOMPARE(window->size(), QSize(Twips::toPixelsX(6585), Twips::toPixelsY(4770)));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window->SSTab1->geometry(), QRect(8, 8, 423, 275));
    QCOMPARE(window->SSTab1->count(), 3);
    QCOMPARE(window->SSTab1->tabText(0), QStringLiteral("環境設定"));
    QCOMPARE(window->SSTab1->tabText(1), QStringLiteral("初期設定"));
    QCOMPARE(window->SSTab1->tabText(2), QStringLiteral("メッセージ等"));
    QCOMPARE(window->SSTab1->widget(0), window->environmentPage);
    QCOMPARE(window->SSTab1->widget(1), window->initialPage);
    QCOMPARE(window->SSTab1->widget(2), window->messagePage);
    QVERIFY(window->Command1[0]->isDefault());
    // Enter elsewhere must not open a picker.
    for (const char* name : {"Command4", "Command3_0", "Command3_4", "Command2_0", "Command2_1"})
        QVERIFY2(!window->findChild<QPushButton*>(QLatin1String(name))->autoDefault(), name);
}

void TestSettingsWindow::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    // clang-format off
    const QList<std::array<const char*, 3>> rows{
        {"Check1_0", "画面のセンタリング(&C)", " 画面のセンタリング "},
        {"Check1_1", "ダブルクリックで終了(&D)", " ダブルクリックで終了 "},
        {"Check1_2", "日付・時間の表示(&T)", " 日付・時間の表示 "},
        {"Check1_3", "復帰音の再生(&R)", " 復帰音の再生 "},
        {"Check1_4", "背景ファイルの使用(&H)", " 背景ファイルの使用 "},
        {"Check1_5", "メッセージ等の移動(&M)", ""},
        {"Check1_6", "最後のアクティブタブ(&A)", " 最後のアクティブタブ "},
        {"Command4", "...", " 背景ファイルの選択 "},
        {"Frame1_0", " 復帰間隔 ", ""},
        {"Frame1_7", " 画面の配色 ", ""},
        {"Frame1_1", " 画面のサイズ ", ""},
        {"Label3_0", "文字色(上段)", ""}, {"Command3_0", "", " 文字色(上段) "},
        {"Label3_1", "文字色(下段)", ""}, {"Command3_1", "", " 文字色(下段) "},
        {"Label3_2", "ｶｳﾝﾄ(文字色)", ""}, {"Command3_2", "", " ｶｳﾝﾄ(文字色) "},
        {"Label3_3", "ｶｳﾝﾄ(背景色)", ""}, {"Command3_3", "", " ｶｳﾝﾄ(背景色) "},
        {"Label3_4", "背景色", ""},       {"Command3_4", "", " 背景色 "},
        {"Option1_0", "特大(1024×768)(&O)", " 特大(1024×768) "},
        {"Option1_1", "大　 ( 800×600)(&B)", " 大( 800×600) "},
        {"Option1_2", "標準( 640×480)(&N)", " 標準( 640×480) "},
        {"Option1_3", "中　 ( 480×360)(&M)", " 中( 480×360) "},
        {"Option1_4", "小　 ( 320×240)(&S)", " 小( 320×240) "},
        {"Label1_0", "上段", ""}, {"Text2_0", "", " 上段のメッセージ "},
        {"Label1_1", "下段", ""}, {"Text2_1", "", " 下段のメッセージ "},
        {"Frame1_6", " メッセージ：フォント・スタイル", ""},
        {"Frame1_2", " カウント：フォント・スタイル", ""},
        {"Label2_0", "", " フォント名 "}, {"Command2_0", "...", " ﾌｫﾝﾄ･ｽﾀｲﾙ "},
        {"Label2_1", "", " フォント名 "}, {"Command2_1", "...", " ﾌｫﾝﾄ･ｽﾀｲﾙ "},
        {"Check2_0", "太字", " 太字 "}, {"Check2_1", "斜体", " 斜体 "}, {"Check3_0", "太字", " 太字 "},
        {"Command1_0", "OK", " OK "}, {"Command1_1", "キャンセル", " キャンセル "},
        {"Command1_2", "適用(&A)", " 適用 "}, {"Command1_3", "ヘルプ", " ヘルプ "},
    };
    // clang-format on
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
}

void TestSettingsWindow::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    load();
    appSettings().OptFont[0].clear(); // the font-name labels show nothing here
    appSettings().OptFont2[0].clear();
    appSettings().OptMsg = {};
    const auto window = openSettings();
    auto* widget = window->findChild<QWidget*>(name);
    QVERIFY(widget);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        text = frame->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    QCOMPARE(text, caption);
    QCOMPARE(widget->toolTip(), toolTip);
}

void TestSettingsWindow::places_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("onPage"); // counted from the tab strip; otherwise from the frame
    QTest::addColumn<QRect>("twips"); // width and height 0: follows the caption
    // clang-format off
    const QList<std::tuple<const char*, bool, QRect>> rows{
        {"Check1_0", true, {1725, 915, 0, 0}},     {"Check1_6", true, {1725, 3045, 0, 0}},
        {"Command4", true, {4275, 2340, 325, 300}},
        {"Frame1_0", true, {375, 480, 2580, 975}}, {"VScroll1", false, {1425, 420, 240, 240}},
        {"Label4", false, {960, 390, 735, 300}},
        {"Frame1_7", true, {375, 1560, 2580, 2325}},
        {"Label3_0", false, {240, 360, 1305, 255}}, {"Command3_0", false, {1650, 330, 650, 300}},
        {"Label3_4", false, {240, 1800, 1305, 255}}, {"Command3_4", false, {1650, 1770, 650, 300}},
        {"Frame1_1", true, {3210, 480, 2760, 2235}},
        {"Option1_0", true, {3450, 810, 0, 270}},  {"Option1_4", true, {3450, 2250, 0, 270}},
        {"Label1_0", true, {240, 690, 0, 0}},      {"Text2_0", true, {810, 660, 5235, 570}},
        {"Label1_1", true, {240, 1470, 0, 0}},     {"Text2_1", true, {810, 1440, 5235, 570}},
        {"Frame1_6", true, {300, 2220, 2880, 1200}}, {"Frame1_2", true, {3150, 2220, 2880, 1200}},
        {"Label2_0", false, {240, 330, 2100, 300}}, {"Command2_0", false, {2340, 330, 300, 300}},
        {"Check2_0", false, {240, 690, 0, 0}},     {"Check2_1", false, {1200, 690, 0, 0}},
        {"Check3_0", false, {240, 690, 0, 0}},
    };
    // clang-format on
    for (const auto& [name, onPage, twips] : rows)
        QTest::newRow(name) << QString::fromUtf8(name) << onPage << twips;
}

void TestSettingsWindow::places() {
    QFETCH(QString, name);
    QFETCH(bool, onPage);
    QFETCH(QRect, twips);
    load();
    const auto window = openSettings();
    auto* widget = window->findChild<QWidget*>(name);
    QVERIFY(widget);
    // Bring its page up, so that the tab widget has laid it out.
    for (int tab = 0; tab < 3; ++tab) {
        if (window->SSTab1->widget(tab)->isAncestorOf(widget))
            window->SSTab1->setCurrentIndex(tab);
    }
    QVERIFY(widget->isVisible());
    const QPoint expected = Twips::toPixels(QPointF(twips.topLeft()));
    if (onPage) {
        // The page starts below the tab row, within the strip's border of a few pixels.
        const QPoint at = widget->mapTo(window->SSTab1, QPoint());
        QVERIFY2((at - expected).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("at %1,%2").arg(at.x()).arg(at.y())));
    } else {
        QCOMPARE(widget->pos(), expected);
    }
    if (twips.width() > 0)
        QCOMPARE(widget->width(), Twips::toPixelsX(twips.width()));
    if (twips.height() > 0)
        QCOMPARE(widget->height(), Twips::toPixelsY(twips.height()));
}

void TestSettingsWindow::fontsAndBoxes() {
    load();
    const auto window = openSettings();
    QCOMPARE(window->SSTab1->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(window->SSTab1->font().pointSizeF(), 9.75);
    for (auto* box : window->environmentPage->Check1) {
        QCOMPARE(box->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(box->font().pointSizeF(), 11.25);
    }
    for (auto* option : window->initialPage->Option1)
        QCOMPARE(option->font().pointSizeF(), 11.25);
    for (auto* button : window->Command1) {
        QCOMPARE(button->font().family(), QStringLiteral("MS UI Gothic"));
        QCOMPARE(button->font().pointSizeF(), 9.0);
    }
    const QList<QWidget*> boxes{window->initialPage->Label4, window->messagePage->Text2[0],
                                window->messagePage->Text2[1]};
    for (QWidget* box : boxes) {
        QCOMPARE(box->font().family(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(box->font().pointSizeF(), 12.0);
        QVERIFY(box->font().bold());
    }
    for (QWidget* box : boxes + QList<QWidget*>{window->messagePage->Label2[0], window->messagePage->Label2[1]}) {
        const QImage shown = box->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 4, shown.height() / 2), QColor(0x40, 0x40, 0x40));
        QCOMPARE(box->palette().color(box->foregroundRole()), QColor(0xFF, 0xFF, 0x80));
    }
}

void TestSettingsWindow::tabOrder() {
    load();
    const auto window = openSettings();
    const QStringList expected{"Check1_0",   "Check1_1",   "Check1_2",   "Check1_3",   "Check1_4",   "Command4",
                               "Check1_5",   "Check1_6",   "Command3_0", "Command3_1", "Command3_2", "Command3_3",
                               "Command3_4", "Option1_0",  "Option1_1",  "Option1_2",  "Option1_3",  "Option1_4",
                               "Text2_0",    "Text2_1",    "Command2_0", "Command2_1", "Check2_0",   "Check2_1",
                               "Check3_0",   "Command1_0", "Command1_1", "Command1_2", "Command1_3", "SSTab1"};
    QStringList chain;
    QWidget* widget = window->environmentPage->Check1[0];
    do {
        if (expected.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != window->environmentPage->Check1[0]);
    QCOMPARE(chain, expected);
}

void TestSettingsWindow::loadsStoredSettings() {
    // clang-format off
    const QList<std::array<const char*, 3>> stored{
        {"Position", "OptCent", "1"}, {"Config", "OptDbl", "0"}, {"Config", "OptDateTime", "1"},
        {"Config", "OptBM", "2"}, {"Config", "OptHaik", "1"}, {"Config", "OptMsgMove", "0"},
        {"Config", "OptLAct", "1"}, {"Config", "OptReturn", "1800"}, {"Position", "OptSize", "3"},
        {"Config", "OptMsg(0)", "<b>あと</b>"}, {"Config", "OptMsg(1)", "がんばれ"},
        {"Fonts", "OptFont(0)", "IPAGothic"}, {"Fonts", "OptFont(2)", "True"}, {"Fonts", "OptFont(3)", "False"},
        {"Fonts", "OptFont2(0)", "<i>IPAPMincho</i>"}, {"Fonts", "OptFont2(2)", "True"},
        {"Fonts", "OptFont2(3)", "True"},
    };
    // clang-format on
    for (const auto& [group, name, value] : stored)
        store->preset(QLatin1String(group), QLatin1String(name), QString::fromUtf8(value));
    load();
    const auto window = openSettings();
    const QList<bool> expected{true, false, true, false, true, false, true};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(window->environmentPage->Check1[std::size_t(i)]->isChecked(), expected[i]);
    QVERIFY(window->environmentPage->Command4->isEnabled());
    QCOMPARE(window->initialPage->VScroll1->value(), 30);
    QCOMPARE(window->initialPage->Label4->text(), QStringLiteral("30"));
    QVERIFY(window->initialPage->Option1[3]->isChecked());
    QCOMPARE(window->initialPage->SelectedSize, 3);
    QCOMPARE(window->messagePage->Text2[0]->text(), QStringLiteral("<b>あと</b>"));
    QCOMPARE(window->messagePage->Text2[1]->text(), QStringLiteral("がんばれ"));
    QCOMPARE(window->messagePage->Label2[0]->text(), QStringLiteral("IPAGothic"));
    // Shown as typed, never as rich text.
    QCOMPARE(window->messagePage->Label2[1]->textFormat(), Qt::PlainText);
    QCOMPARE(window->messagePage->Label2[1]->text(), QStringLiteral("<i>IPAPMincho</i>"));
    QVERIFY(window->messagePage->Check2[0]->isChecked());
    QVERIFY(!window->messagePage->Check2[1]->isChecked());
    QVERIFY(window->messagePage->Check3[0]->isChecked());
    // The font flags only show; the font picker sets them.
    for (QCheckBox* flag :
         {window->messagePage->Check2[0], window->messagePage->Check2[1], window->messagePage->Check3[0]})
        QVERIFY(!flag->isEnabled());
}

void TestSettingsWindow::swatchColours_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("white, hexadecimal") << "&H00FFFFFF&" << QColor(Qt::white);
    QTest::newRow("white, decimal") << "16777215" << QColor(Qt::white);
    QTest::newRow("red, hexadecimal") << "&H000000FF&" << QColor(Qt::red);
    QTest::newRow("red, decimal") << "255" << QColor(Qt::red);
    QTest::newRow("blue, hexadecimal") << "&H00FF0000&" << QColor(Qt::blue);
    QTest::newRow("blue, decimal") << "16711680" << QColor(Qt::blue);
    QTest::newRow("light yellow, hexadecimal") << "&H0080FFFF&" << QColor(0xFF, 0xFF, 0x80);
    QTest::newRow("light yellow, decimal") << "8454143" << QColor(0xFF, 0xFF, 0x80);
}

void TestSettingsWindow::swatchColours() {
    QFETCH(QString, stored);
    QFETCH(QColor, shown);
    for (int i = 0; i < 5; ++i)
        store->preset(Section::Config, QStringLiteral("OptColor(%1)").arg(i), i == 3 ? stored : QStringLiteral("0"));
    load();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(1);
    for (int i = 0; i < 5; ++i) {
        QPushButton* swatch = window->initialPage->Command3[std::size_t(i)];
        const QImage picture = swatch->grab().toImage();
        QCOMPARE(picture.pixelColor(picture.rect().center()), i == 3 ? shown : QColor(Qt::black));
    }
}

void TestSettingsWindow::opensOnRecordedTab_data() {
    QTest::addColumn<QString>("remember");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("shown");
    QTest::newRow("page 0") << "1"
                            << "0" << 0;
    QTest::newRow("page 1") << "1"
                            << "1" << 1;
    QTest::newRow("page 2") << "1"
                            << "2" << 2;
    // Not remembering stops the recording, not the showing.
    QTest::newRow("page 2, memory off") << "0"
                                        << "2" << 2;
    QTest::newRow("page 1, memory off") << "0"
                                        << "1" << 1;
}

void TestSettingsWindow::opensOnRecordedTab() {
    QFETCH(QString, remember);
    QFETCH(QString, tab);
    QFETCH(int, shown);
    store->preset(Section::Config, QStringLiteral("OptLAct"), remember);
    store->preset(Section::Config, QStringLiteral("OptLATab"), tab);
    load();
    const auto window = openSettings();
    QCOMPARE(window->SSTab1->currentIndex(), shown);
    QCOMPARE(window->environmentPage->Check1[6]->isChecked(), remember == QLatin1String("1"));
}

void TestSettingsWindow::unusableStoredValues_data() {
    QTest::addColumn<QString>("storedKey");
    QTest::addColumn<QString>("stored");
    QTest::newRow("tab 7") << "Config/OptLATab"
                           << "7";
    QTest::newRow("tab abc") << "Config/OptLATab"
                             << "abc";
    QTest::newRow("return 5 seconds") << "Config/OptReturn"
                                      << "5";
    QTest::newRow("return abc") << "Config/OptReturn"
                                << "abc";
    QTest::newRow("return a week") << "Config/OptReturn"
                                   << "604800";
    QTest::newRow("size 9") << "Position/OptSize"
                            << "9";
    QTest::newRow("size abc") << "Position/OptSize"
                              << "abc";
    QTest::newRow("bold maybe") << "Fonts/OptFont(2)"
                                << "maybe";
}

void TestSettingsWindow::unusableStoredValues() {
    QFETCH(QString, storedKey);
    QFETCH(QString, stored);
    store->preset(sectionOf(storedKey), keyOf(storedKey), stored);
    load();
    const auto window = openSettings();
    const int tab = window->SSTab1->currentIndex();
    QVERIFY(tab >= 0 && tab <= 2);
    const int minutes = window->initialPage->VScroll1->value();
    QVERIFY(minutes >= 5 && minutes <= 360);
    QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
    int selected = 0;
    for (auto* option : window->initialPage->Option1)
        selected += option->isChecked() ? 1 : 0;
    QCOMPARE(selected, 1);
    QVERIFY(window->initialPage->SelectedSize >= 0 && window->initialPage->SelectedSize <= 4);

    // The stored text stays until the page that shows it is saved.
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(store->value(sectionOf(storedKey), keyOf(storedKey)), stored);
}

void TestSettingsWindow::valuesOutsideRangeInMemory() {
    // Whatever the record holds, the window opens on sane values.
    load();
    appSettings().OptLATab = QStringLiteral("7");
    appSettings().OptReturn = QStringLiteral("5");
    appSettings().OptSize = QStringLiteral("9");
    auto window = openSettings();
    QCOMPARE(window->SSTab1->currentIndex(), 0);
    QCOMPARE(window->initialPage->Label4->text(), QStringLiteral("5"));
    QVERIFY(window->initialPage->Option1[2]->isChecked());
    QCOMPARE(window->initialPage->SelectedSize, 2);

    appSettings().OptReturn = QStringLiteral("abc");
    window = openSettings();
    QCOMPARE(window->initialPage->Label4->text(), QStringLiteral("10"));
    // Saved, the page stores what it shows; positions of an unknown size stay as they are.
    window->SSTab1->setCurrentIndex(1);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptReturn")), QStringLiteral("600"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("OptSize")), QStringLiteral("2"));
    QCOMPARE(appSettings().Label_Left[0], QStringLiteral("160"));
    QVERIFY(store->value(Section::Position, QStringLiteral("Label_Left(0)")).isEmpty());
}

void TestSettingsWindow::interval_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("600") << "600"
                         << "10";
    QTest::newRow("1800") << "1800"
                          << "30";
    QTest::newRow("300") << "300"
                         << "5";
    QTest::newRow("21600") << "21600"
                           << "360";
    QTest::newRow("630 rounds to even") << "630"
                                        << "10";
    QTest::newRow("690 rounds to even") << "690"
                                        << "12";
}

void TestSettingsWindow::interval() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    store->preset(Section::Config, QStringLiteral("OptReturn"), stored);
    load();
    const auto window = openSettings();
    QCOMPARE(window->initialPage->Label4->text(), shown);
    QCOMPARE(window->initialPage->VScroll1->value(), shown.toInt());
}

void TestSettingsWindow::spinnerArrows() {
    load();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(1);
    QScrollBar* spinner = window->initialPage->VScroll1;
    QLabel* minutes = window->initialPage->Label4;
    QCOMPARE(spinner->minimum(), 5);
    QCOMPARE(spinner->maximum(), 360);
    const QPoint upper(spinner->width() / 2, 2);
    const QPoint lower(spinner->width() / 2, spinner->height() - 3);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QCOMPARE(minutes->text(), QStringLiteral("15"));
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QCOMPARE(minutes->text(), QStringLiteral("20"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(spinner, Qt::LeftButton, {}, lower);
    QCOMPARE(minutes->text(), QStringLiteral("5"));
    spinner->setValue(355);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QCOMPARE(minutes->text(), QStringLiteral("360"));

    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptReturn")), QStringLiteral("21600"));
    QCOMPARE(returnDelaySeconds(appSettings()), 21600);
}

void TestSettingsWindow::pictureSwitchEnablesPicker() {
    load();
    const auto window = openSettings();
    SetteiEnvironmentPage* page = window->environmentPage;
    QVERIFY(!page->Check1[4]->isChecked());
    QVERIFY(!page->Command4->isEnabled());
    QTest::mouseClick(page->Check1[4], Qt::LeftButton);
    QVERIFY(page->Command4->isEnabled());
    // Any other box leaves the button as the picture switch has it.
    QTest::mouseClick(page->Check1[1], Qt::LeftButton);
    QVERIFY(page->Command4->isEnabled());
    QTest::mouseClick(page->Check1[4], Qt::LeftButton);
    QVERIFY(!page->Command4->isEnabled());
    QTest::mouseClick(page->Check1[0], Qt::LeftButton);
    QVERIFY(!page->Command4->isEnabled());
    // Nothing is in force before the page is saved.
    QCOMPARE(appSettings().OptDbl, QStringLiteral("1"));
}

void TestSettingsWindow::sizeOptions() {
    load();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(1);
    for (int i : {4, 0, 3, 1, 2}) {
        QTest::mouseClick(window->initialPage->Option1[std::size_t(i)], Qt::LeftButton);
        QCOMPARE(window->initialPage->SelectedSize, i);
        QVERIFY(window->initialPage->Option1[std::size_t(i)]->isChecked());
    }
    QCOMPARE(appSettings().OptSize, QStringLiteral("2"));
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
