// The settings window: what it shows of the store, what each button saves, what its pickers change,
// and what the countdown window shows afterwards.
#include "app/AppSettings.h"
#include "app/FontSetup.h"
#include "countdown/PELTRA.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "dialogs/SetteiPickers.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

// Keys that each page writes, as "Section/Key".
const QStringList environmentKeys{"Position/OptCent", "Config/OptDbl",     "Config/OptDateTime", "Config/OptBM",
                                  "Config/OptHaik",   "Config/OptMsgMove", "Config/OptLAct",     "Config/OptLATab"};
const QStringList initialKeys{"Config/OptReturn",   "Position/OptSize",   "Config/OptColor(0)", "Config/OptColor(1)",
                              "Config/OptColor(2)", "Config/OptColor(3)", "Config/OptColor(4)"};
const QStringList messageKeys{"Config/OptMsg(0)",  "Config/OptMsg(1)", "Fonts/OptFont(0)",  "Fonts/OptFont(1)",
                              "Fonts/OptFont(2)",  "Fonts/OptFont(3)", "Fonts/OptFont2(0)", "Fonts/OptFont2(1)",
                              "Fonts/OptFont2(2)", "Fonts/OptFont2(3)"};
const QStringList allKeys = environmentKeys + initialKeys + messageKeys;

const QString pictureFile = QStringLiteral("/home/user/写真/桜.JPG");

// One pixel is 15 twips at 96 dpi; read-backs snap to it.
constexpr double pixelTolerance = 15.5;

QColor centreColour(QWidget* widget) {
    const QImage picture = widget->grab().toImage();
    return picture.pixelColor(picture.rect().center());
}

} // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loadsStore_data();
    void loadsStore();
    void unusualStoredValues_data();
    void unusualStoredValues();
    void spinnerSteps();
    void okSavesEveryPage();
    void applySavesShownPage_data();
    void applySavesShownPage();
    void leavingSavesNothing_data();
    void leavingSavesNothing();
    void helpByPage_data();
    void helpByPage();
    void enterKey_data();
    void enterKey();
    void fontDialogShowsSample();
    void colourPicker_data();
    void colourPicker();
    void fontPicker_data();
    void fontPicker();
    void fontPickerKeepsStoredName();
    void filePicker();
    void centring_data();
    void centring();
    void newSizeReachesCountdownWindow();

private:
    void reload() { loadFreshSettings(*platform); }
    void preset(const QString& path, const QString& value) {
        store->preset(path.section(u'/', 0, 0), path.section(u'/', 1), value);
    }
    QString stored(const QString& path) const { return store->value(path.section(u'/', 0, 0), path.section(u'/', 1)); }
    QMap<QString, QString> storeContents() const {
        QMap<QString, QString> contents;
        for (const QString& path : store->keys())
            contents[path] = stored(path);
        return contents;
    }
    std::unique_ptr<SETTEI> openSettings();

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    // The pickers' answers (none: cancelled), and what they were asked.
    struct Picks {
        std::optional<QColor> colourAnswer;
        std::optional<QFont> fontAnswer;
        std::optional<QString> fileAnswer;
        QList<QColor> colourRequests;
        QList<QFont> fontRequests;
        QStringList fileFolders;
        QList<QStringList> fileFilters;
    } picks;
};

void TestSettingsWindow::initTestCase() {
    // As the program does at start-up: the stored Windows font names stand for installed fonts.
    installFontSubstitutions();
}

void TestSettingsWindow::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    preset(QStringLiteral("Config/TheDate"), QStringLiteral("2026/12/24"));
    reload();
    picks = {};
}

void TestSettingsWindow::cleanup() {
    store.reset();
    platform.reset();
}

std::unique_ptr<SETTEI> TestSettingsWindow::openSettings() {
    auto window = std::make_unique<SETTEI>();
    window->pickers = {
        [this](QWidget*, const QColor& initial) {
            picks.colourRequests << initial;
            return picks.colourAnswer;
        },
        [this](QWidget*, const QFont& initial) {
            picks.fontRequests << initial;
            return picks.fontAnswer;
        },
        [this](QWidget*, const QString& folder, const QStringList& filters) {
            picks.fileFolders << folder;
            picks.fileFilters << filters;
            return picks.fileAnswer;
        },
    };
    window->show();
    return window;
}

void TestSettingsWindow::loadsStore_data() {
    QTest::addColumn<QString>("remember"); // OptLAct
    QTest::addColumn<int>("tab");          // OptLATab
    QTest::newRow("page 0") << "1" << 0;
    QTest::newRow("page 1") << "1" << 1;
    // Not remembering stops the recording, not the showing.
    QTest::newRow("page 2, not remembered") << "0" << 2;
}

void TestSettingsWindow::loadsStore() {
    QFETCH(QString, remember);
    QFETCH(int, tab);
    // clang-format off
    const QList<std::pair<const char*, const char*>> values{
        {"Position/OptCent", "1"}, {"Config/OptDbl", "0"}, {"Config/OptDateTime", "1"}, {"Config/OptBM", "2"},
        {"Config/OptHaik", "1"}, {"Config/OptMsgMove", "0"}, {"Config/OptReturn", "1800"}, {"Position/OptSize", "3"},
        // Colours in both forms: hexadecimal as first written, decimal as the picker writes them.
        {"Config/OptColor(0)", "&H00FFFFFF&"}, {"Config/OptColor(1)", "255"}, {"Config/OptColor(2)", "&H00FF0000&"},
        {"Config/OptColor(3)", "8454143"}, {"Config/OptColor(4)", "0"},
        {"Config/OptMsg(0)", "<b>あと</b>"}, {"Config/OptMsg(1)", "がんばれ"},
        {"Fonts/OptFont(0)", "IPAGothic"}, {"Fonts/OptFont(2)", "True"}, {"Fonts/OptFont(3)", "False"},
        {"Fonts/OptFont2(0)", "<i>IPAPMincho</i>"}, {"Fonts/OptFont2(2)", "True"},
    };
    // clang-format on
    for (const auto& [path, value] : values)
        preset(QString::fromUtf8(path), QString::fromUtf8(value));
    preset(QStringLiteral("Config/OptLAct"), remember);
    preset(QStringLiteral("Config/OptLATab"), QString::number(tab));
    reload();
    const auto window = openSettings();
    QCOMPARE(window->SSTab1->currentIndex(), tab);
    const QList<bool> ticked{true, false, true, false, true, false, remember == QLatin1String("1")};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(window->environmentPage->Check1[std::size_t(i)]->isChecked(), ticked[i]);
    QVERIFY(window->environmentPage->Command4->isEnabled());

    window->SSTab1->setCurrentIndex(1);
    SetteiInitialPage* initial = window->initialPage;
    QCOMPARE(initial->VScroll1->value(), 30);
    QCOMPARE(initial->Label4->text(), QStringLiteral("30"));
    QVERIFY(initial->Option1[3]->isChecked());
    QCOMPARE(initial->SelectedSize, 3);
    const QList<QColor> colours{Qt::white, Qt::red, Qt::blue, QColor(0xFF, 0xFF, 0x80), Qt::black};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(centreColour(initial->Command3[std::size_t(i)]), colours[i]);

    SetteiMessagePage* messages = window->messagePage;
    QCOMPARE(messages->Text2[0]->text(), QStringLiteral("<b>あと</b>"));
    QCOMPARE(messages->Text2[1]->text(), QStringLiteral("がんばれ"));
    QCOMPARE(messages->Label2[0]->text(), QStringLiteral("IPAGothic"));
    // Shown as typed, never as rich text.
    QCOMPARE(messages->Label2[1]->textFormat(), Qt::PlainText);
    QCOMPARE(messages->Label2[1]->text(), QStringLiteral("<i>IPAPMincho</i>"));
    QVERIFY(messages->Check2[0]->isChecked());
    QVERIFY(!messages->Check2[1]->isChecked());
    QVERIFY(messages->Check3[0]->isChecked());
}

void TestSettingsWindow::unusualStoredValues_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("size");
    QTest::newRow("630 s: half to even, down") << "Config/OptReturn"
                                               << "630" << 0 << 10 << 2;
    QTest::newRow("690 s: half to even, up") << "Config/OptReturn"
                                             << "690" << 0 << 12 << 2;
    QTest::newRow("21600 s: the longest") << "Config/OptReturn"
                                          << "21600" << 0 << 360 << 2;
    QTest::newRow("5 s") << "Config/OptReturn"
                         << "5" << 0 << 5 << 2;
    QTest::newRow("return abc") << "Config/OptReturn"
                                << "abc" << 0 << 10 << 2;
    QTest::newRow("tab 7") << "Config/OptLATab"
                           << "7" << 0 << 10 << 2;
    QTest::newRow("size 9") << "Position/OptSize"
                            << "9" << 0 << 10 << 2;
}

void TestSettingsWindow::unusualStoredValues() {
    QFETCH(QString, path);
    QFETCH(QString, text);
    QFETCH(int, tab);
    QFETCH(int, minutes);
    QFETCH(int, size);
    preset(path, text);
    reload();
    const auto window = openSettings();
    QCOMPARE(window->SSTab1->currentIndex(), tab);
    QCOMPARE(window->initialPage->VScroll1->value(), minutes);
    QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
    QVERIFY(window->initialPage->Option1[std::size_t(size)]->isChecked());
    QCOMPARE(window->initialPage->SelectedSize, size);
    // The stored text stays until the page that shows it is saved.
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(stored(path), text);
}

void TestSettingsWindow::spinnerSteps() {
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(1);
    QScrollBar* spinner = window->initialPage->VScroll1;
    QLabel* minutes = window->initialPage->Label4;
    const QPoint upper(spinner->width() / 2, 2);
    const QPoint lower(spinner->width() / 2, spinner->height() - 3);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QCOMPARE(minutes->text(), QStringLiteral("15"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(spinner, Qt::LeftButton, {}, lower);
    QCOMPARE(minutes->text(), QStringLiteral("5"));
    spinner->setValue(355);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
    QCOMPARE(minutes->text(), QStringLiteral("360"));
    // The wheel as the arrows: one notch, one step; away from the user raises.
    const auto turnWheel = [spinner](int delta) {
        QWheelEvent wheel(QPointF(5, 5), spinner->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(spinner, &wheel);
    };
    turnWheel(-120);
    QCOMPARE(minutes->text(), QStringLiteral("355"));
    turnWheel(60);
    turnWheel(60);
    QCOMPARE(minutes->text(), QStringLiteral("360"));
    turnWheel(-240);
    QCOMPARE(minutes->text(), QStringLiteral("350"));
    turnWheel(120);
    turnWheel(120);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("Config/OptReturn")), QStringLiteral("21600"));
}

void TestSettingsWindow::okSavesEveryPage() {
    const auto window = openSettings();
    for (const QString& path : allKeys)
        preset(path, QStringLiteral("mark"));
    QTest::mouseClick(window->environmentPage->Check1[1], Qt::LeftButton); // double-click end off
    QTest::mouseClick(window->environmentPage->Check1[3], Qt::LeftButton); // return sound off
    window->SSTab1->setCurrentIndex(1);
    window->initialPage->VScroll1->setValue(45);
    QTest::mouseClick(window->initialPage->Option1[4], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(2);
    window->messagePage->Text2[1]->setText(QStringLiteral("合格！"));
    QTest::mouseClick(window->Command1[0], Qt::LeftButton);

    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    for (const QString& path : allKeys)
        QVERIFY2(stored(path) != QLatin1String("mark"), qPrintable(path));
    const QList<std::pair<const char*, const char*>> expected{
        {"Config/OptDbl", "0"},        {"Config/OptBM", "2"},     {"Config/OptLATab", "2"},
        {"Config/OptReturn", "2700"},  {"Position/OptSize", "4"}, {"Position/Label_Top(0)", "340"},
        {"Config/OptMsg(1)", "合格！"}};
    for (const auto& [path, value] : expected)
        QCOMPARE(stored(QString::fromUtf8(path)), QString::fromUtf8(value));
    QCOMPARE(appSettings().OptBM, QStringLiteral("2"));
    QCOMPARE(appSettings().OptSize, QStringLiteral("4"));
    QCOMPARE(appSettings().Label_Top[0], QStringLiteral("340"));
    QCOMPARE(appSettings().OptMsg[1], QStringLiteral("合格！"));
}

void TestSettingsWindow::applySavesShownPage_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("環境設定") << 0 << environmentKeys;
    QTest::newRow("初期設定") << 1 << initialKeys;
    QTest::newRow("メッセージ等") << 2 << messageKeys;
}

void TestSettingsWindow::applySavesShownPage() {
    QFETCH(int, tab);
    QFETCH(QStringList, written);
    const auto window = openSettings();
    for (const QString& path : allKeys)
        preset(path, QStringLiteral("mark"));
    window->SSTab1->setCurrentIndex(tab);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QVERIFY(window->isVisible());
    for (const QString& path : allKeys)
        QVERIFY2((stored(path) == QLatin1String("mark")) != written.contains(path), qPrintable(path));
}

void TestSettingsWindow::leavingSavesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("キャンセル") << "cancel";
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape") << "escape";
}

void TestSettingsWindow::leavingSavesNothing() {
    QFETCH(QString, how);
    const AppSettings before = appSettings();
    const auto contents = storeContents();
    const auto window = openSettings();
    QTest::mouseClick(window->environmentPage->Check1[3], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(1);
    window->initialPage->VScroll1->setValue(60);
    QTest::mouseClick(window->initialPage->Option1[0], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(2);
    window->messagePage->Text2[0]->setText(QStringLiteral("変更"));
    if (how == QLatin1String("cancel"))
        QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    else if (how == QLatin1String("close"))
        window->close();
    else
        QTest::keyClick(window.get(), Qt::Key_Escape);

    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Rejected));
    QCOMPARE(storeContents(), contents);
    QCOMPARE(appSettings().OptBM, before.OptBM);
    QCOMPARE(appSettings().OptReturn, before.OptReturn);
    QCOMPARE(appSettings().OptSize, before.OptSize);
    QCOMPARE(appSettings().OptMsg[0], before.OptMsg[0]);
    QCOMPARE(appSettings().OptLATab, before.OptLATab);
}

void TestSettingsWindow::helpByPage_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("context");
    QTest::newRow("環境設定") << 0 << 11;
    QTest::newRow("初期設定") << 1 << 12;
    QTest::newRow("メッセージ等") << 2 << 13;
}

void TestSettingsWindow::helpByPage() {
    QFETCH(int, tab);
    QFETCH(int, context);
    const auto contents = storeContents();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(tab);
    QTest::mouseClick(window->Command1[3], Qt::LeftButton);
    QCOMPARE(platform->helpRequests.size(), 1);
    const ScriptedPlatform::HelpRequest& request = platform->helpRequests[0];
    QCOMPARE(request.window.data(), window.get());
    QCOMPARE(request.helpFile, QStringLiteral("/opt/peltra/PELTRA.HLP"));
    QCOMPARE(request.command, 1);
    QCOMPARE(request.data, context);
    QVERIFY(window->isVisible());
    QCOMPARE(storeContents(), contents);
}

void TestSettingsWindow::enterKey_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QList<int>>("requests"); // colour, font and file picker
    // Enter in a text box or the spinner confirms the window; on a focused button it presses that button.
    QTest::newRow("message box") << 2 << "Text2_0" << QList<int>{0, 0, 0};
    QTest::newRow("spinner") << 1 << "VScroll1" << QList<int>{0, 0, 0};
    QTest::newRow("colour swatch") << 1 << "Command3_2" << QList<int>{1, 0, 0};
    QTest::newRow("count font") << 2 << "Command2_1" << QList<int>{0, 1, 0};
    QTest::newRow("background file") << 0 << "Command4" << QList<int>{0, 0, 1};
}

void TestSettingsWindow::enterKey() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QList<int>, requests);
    preset(QStringLiteral("Config/OptHaik"), QStringLiteral("1"));
    reload();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(page);
    // The font button pressed last does not stay the one that Enter presses.
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    picks = {};
    auto* focused = window->findChild<QWidget*>(control);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Return);
    QCOMPARE(
        (QList<int>{int(picks.colourRequests.size()), int(picks.fontRequests.size()), int(picks.fileFolders.size())}),
        requests);
    QCOMPARE(window->isVisible(), (requests != QList<int>{0, 0, 0}));
}

void TestSettingsWindow::fontDialogShowsSample() {
    // The effects are hidden, the sample keeps its room.
    QLineEdit* sample = nullptr;
    int sampleHeight = 0;
    whenModalOpens([&](QWidget* dialog) {
        sample = dialog->findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
        if (sample)
            sampleHeight = sample->isVisible() ? sample->height() : 0;
        dialog->close();
    });
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(20);
    QVERIFY(!SetteiPickers::standard().pickFont(nullptr, font));
    QVERIFY(sample);
    QVERIFY2(sampleHeight >= QFontMetrics(font).height(), qPrintable(QString::number(sampleHeight)));
}

void TestSettingsWindow::colourPicker_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("offered");
    QTest::addColumn<QColor>("answer"); // invalid: cancelled
    QTest::addColumn<QString>("text");
    QTest::newRow("upper message: red") << 0 << QColor(Qt::white) << QColor(Qt::red) << "255";
    QTest::newRow("window: 1, 2, 3") << 4 << QColor(Qt::black) << QColor(1, 2, 3) << "197121";
    QTest::newRow("cancelled") << 4 << QColor(Qt::black) << QColor() << "&H00000000&";
}

void TestSettingsWindow::colourPicker() {
    QFETCH(int, index);
    QFETCH(QColor, offered);
    QFETCH(QColor, answer);
    QFETCH(QString, text);
    const QColor shown = answer.isValid() ? answer : offered;
    const auto contents = storeContents();
    auto window = openSettings();
    window->SSTab1->setCurrentIndex(1);
    if (answer.isValid())
        picks.colourAnswer = answer;
    QTest::mouseClick(window->initialPage->Command3[std::size_t(index)], Qt::LeftButton);
    QCOMPARE(picks.colourRequests, QList<QColor>{offered});
    QCOMPARE(appSettings().OptColor[std::size_t(index)], text);
    QCOMPARE(centreColour(window->initialPage->Command3[std::size_t(index)]), shown);

    // In force even when the window is left with "キャンセル"; the store gets it only with its page.
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(appSettings().OptColor[std::size_t(index)], text);
    QCOMPARE(storeContents(), contents);
    window = openSettings();
    QCOMPARE(centreColour(window->initialPage->Command3[std::size_t(index)]), shown);
}

void TestSettingsWindow::fontPicker_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariant>("answer"); // none: cancelled
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<bool>>("flags"); // Check2(0), Check2(1), Check3(0)
    QFont gothic(QStringLiteral("IPAGothic"));
    gothic.setPointSizeF(14);
    gothic.setBold(true);
    gothic.setItalic(true);
    QFont mincho(QStringLiteral("IPAMincho"));
    mincho.setPointSizeF(10.5);
    mincho.setBold(true);
    QTest::newRow("message, bold italic")
        << 0 << QVariant(gothic) << QStringList{"IPAGothic", "14", "True", "True"} << QList<bool>{true, true, false};
    // The count keeps its italic flag, though nothing shows it.
    QTest::newRow("count, bold") << 1 << QVariant(mincho) << QStringList{"IPAMincho", "10.5", "True", "False"}
                                 << QList<bool>{false, false, true};
    QTest::newRow("cancelled") << 1 << QVariant() << QStringList{"ＭＳ Ｐ明朝", "20", "False", "False"}
                               << QList<bool>{false, false, false};
}

void TestSettingsWindow::fontPicker() {
    QFETCH(int, index);
    QFETCH(QVariant, answer);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, flags);
    const auto contents = storeContents();
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(2);
    if (answer.isValid())
        picks.fontAnswer = answer.value<QFont>();
    SetteiMessagePage* page = window->messagePage;
    QTest::mouseClick(page->Command2[std::size_t(index)], Qt::LeftButton);
    QCOMPARE(picks.fontRequests.size(), 1);
    const auto& font = index == 0 ? appSettings().OptFont : appSettings().OptFont2;
    QCOMPARE(QStringList(font.begin(), font.end()), texts);
    QCOMPARE(page->Label2[std::size_t(index)]->text(), texts[0]);
    QCOMPARE((QList<bool>{page->Check2[0]->isChecked(), page->Check2[1]->isChecked(), page->Check3[0]->isChecked()}),
             flags);
    // In force even when the window is left with "キャンセル"; the store gets it only with its page.
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(QStringList(font.begin(), font.end()), texts);
    QCOMPARE(storeContents(), contents);
}

void TestSettingsWindow::fontPickerKeepsStoredName() {
    appSettings().OptFont = {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("24"), QStringLiteral("True"),
                             QStringLiteral("False")};
    const auto window = openSettings();
    window->SSTab1->setCurrentIndex(2);
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    // The picker is offered the installed family that stands for the stored name.
    QCOMPARE(picks.fontRequests.size(), 1);
    const QFont offered = picks.fontRequests[0];
    QCOMPARE(offered.family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(offered.pointSizeF(), 24.0);
    QVERIFY(offered.bold() && !offered.italic());
    // Picking it unchanged keeps the stored name.
    picks.fontAnswer = offered;
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    const auto& font = appSettings().OptFont;
    QCOMPARE(QStringList(font.begin(), font.end()), (QStringList{"ＭＳ Ｐ明朝", "24", "True", "False"}));
    QCOMPARE(window->messagePage->Label2[0]->text(), QStringLiteral("ＭＳ Ｐ明朝"));
}

void TestSettingsWindow::filePicker() {
    preset(QStringLiteral("Config/OptBFile"), QStringLiteral("/old.bmp"));
    reload();
    const auto window = openSettings();
    SetteiEnvironmentPage* page = window->environmentPage;
    QVERIFY(!page->Command4->isEnabled());
    QTest::mouseClick(page->Check1[4], Qt::LeftButton); // background file on
    QVERIFY(page->Command4->isEnabled());
    QTest::mouseClick(page->Command4, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("Config/OptBFile")), QStringLiteral("/old.bmp"));
    QCOMPARE(appSettings().OptBFile, QStringLiteral("/old.bmp"));

    picks.fileAnswer = pictureFile;
    QTest::mouseClick(page->Command4, Qt::LeftButton);
    QCOMPARE(picks.fileFolders, QStringList(2, platform->dataFolder));
    const QStringList filters{"背景ﾌｧｲﾙ(*.BMP *.bmp)", "(*.JPG *.jpg)", "(*.GIF *.gif)", "その他すべてのﾌｧｲﾙ(*)"};
    QCOMPARE(picks.fileFilters, QList<QStringList>(2, filters));
    // Stored at once, and kept when the window is left with "キャンセル".
    QCOMPARE(stored(QStringLiteral("Config/OptBFile")), pictureFile);
    QCOMPARE(appSettings().OptBFile, pictureFile);
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("Config/OptBFile")), pictureFile);
}

void TestSettingsWindow::centring_data() {
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QPointF>("place");
    QTest::addColumn<QPointF>("after");
    // (15360 - 9600) / 2 and (11520 - 7300) / 2
    QTest::newRow("centring ticked") << true << QPointF(1500, 900) << QPointF(2880, 2110);
    QTest::newRow("not ticked, at the corner: centred once") << false << QPointF(0, 0) << QPointF(2880, 2110);
    QTest::newRow("not ticked, elsewhere: stays") << false << QPointF(1500, 900) << QPointF(1500, 900);
}

void TestSettingsWindow::centring() {
    QFETCH(bool, centre);
    QFETCH(QPointF, place);
    QFETCH(QPointF, after);
    preset(QStringLiteral("Position/M_Left"), QString::number(place.x()));
    preset(QStringLiteral("Position/M_Top"), QString::number(place.y()));
    reload();
    const auto countdown = openCountdownWindow();
    QCOMPARE(countdown->windowPosition(), place);
    QPointF whileOpen;
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        if (centre)
            QTest::mouseClick(settings->environmentPage->Check1[0], Qt::LeftButton);
        QTest::mouseClick(settings->Command1[2], Qt::LeftButton);
        whileOpen = countdown->windowPosition();
        QTest::mouseClick(settings->Command1[1], Qt::LeftButton);
    });
    countdown->mnuOptSettei->trigger();
    // Moved when the page is applied, not when the window closes.
    QCOMPARE(whileOpen, after);
    QCOMPARE(countdown->windowPosition(), after);
    QCOMPARE(stored(QStringLiteral("Position/OptCent")), QString(centre ? "1" : "0"));
    if (!centre) {
        QCOMPARE(appSettings().M_Left, QString::number(after.x()));
        QCOMPARE(appSettings().M_Top, QString::number(after.y()));
    }
}

void TestSettingsWindow::newSizeReachesCountdownWindow() {
    const auto countdown = openCountdownWindow();
    countdown->layout().setLabelPosition(0, {160, 680});
    whenModalOpens([&](QWidget* modal) {
        auto* settings = qobject_cast<SETTEI*>(modal);
        settings->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(settings->initialPage->Option1[0], Qt::LeftButton);
        QTest::mouseClick(settings->Command1[0], Qt::LeftButton);
    });
    countdown->mnuOptSettei->trigger();
    QVERIFY(qAbs(countdown->windowOuterSize().width() - 15360) < pixelTolerance);
    QVERIFY(qAbs(countdown->windowOuterSize().height() - 11520) < pixelTolerance);
    QVERIFY(qAbs(countdown->layout().labelPosition(0).x() - 256) < pixelTolerance);
    QVERIFY(qAbs(countdown->layout().labelPosition(0).y() - 1073.096) < pixelTolerance);
    QCOMPARE(countdown->Label1[0]->font().pointSizeF(), 34.0);
    // Size and positions go to the store together.
    QCOMPARE(stored(QStringLiteral("Position/OptSize")), QStringLiteral("0"));
    QCOMPARE(stored(QStringLiteral("Position/Label_Left(0)")), QStringLiteral("256"));
    QCOMPARE(stored(QStringLiteral("Position/Label_Top(0)")), QStringLiteral("1073.096"));
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
