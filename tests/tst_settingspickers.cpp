// The settings window's colour, font and background-file pickers: what a choice changes at once,
// what waits for the page to be saved, and the standard dialogs behind them.
#include "app/AppSettings.h"
#include "app/FontSetup.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SettingsWindowTesting.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace SettingsWindowTesting;

class TestSettingsPickers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void colourPicked_data();
    void colourPicked();
    void colourCancelled();
    void colourStoredWithItsPage();
    void fontPicked_data();
    void fontPicked();
    void fontUnchangedKeepsStoredName();
    void fontCancelled();
    void filePicked();
    void fileCancelled();

    void standardColourDialog_data();
    void standardColourDialog();
    void standardFontDialog();
    void standardFileDialog();

private:
    std::unique_ptr<SETTEI> openWithScriptedPickers();
    QColor swatchShows(const SETTEI& window, int index) const;

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;

    // The pickers' answers, and what they were asked.
    std::optional<QColor> colourAnswer;
    QList<QColor> colourRequests;
    std::optional<QFont> fontAnswer;
    QList<QFont> fontRequests;
    std::optional<QString> fileAnswer;
    QStringList fileFolders;
    QList<QStringList> fileFilters;
};

void TestSettingsPickers::initTestCase() {
    // As the program does at start-up: the stored Windows font names stand for installed fonts.
    installFontSubstitutions();
}

void TestSettingsPickers::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    store->preset(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2026/12/24"));
    loadFreshSettings(*platform);
    colourAnswer.reset();
    colourRequests.clear();
    fontAnswer.reset();
    fontRequests.clear();
    fileAnswer.reset();
    fileFolders.clear();
    fileFilters.clear();
}

void TestSettingsPickers::cleanup() {
    store.reset();
    platform.reset();
}

std::unique_ptr<SETTEI> TestSettingsPickers::openWithScriptedPickers() {
    auto window = std::make_unique<SETTEI>();
    window->pickers = {
        [this](QWidget*, const QColor& initial) {
            colourRequests << initial;
            return colourAnswer;
        },
        [this](QWidget*, const QFont& initial) {
            fontRequests << initial;
            return fontAnswer;
        },
        [this](QWidget*, const QString& folder, const QStringList& filters) {
            fileFolders << folder;
            fileFilters << filters;
            return fileAnswer;
        },
    };
    window->show();
    return window;
}

QColor TestSettingsPickers::swatchShows(const SETTEI& window, int index) const {
    const QImage picture = window.initialPage->Command3[std::size_t(index)]->grab().toImage();
    return picture.pixelColor(picture.rect().center());
}

void TestSettingsPickers::colourPicked_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("before");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QString>("text");
    QTest::newRow("upper message: red") << 0 << QColor(Qt::white) << QColor(255, 0, 0) << "255";
    QTest::newRow("lower message: green") << 1 << QColor(Qt::white) << QColor(0, 255, 0) << "65280";
    QTest::newRow("count: blue") << 2 << QColor(Qt::black) << QColor(0, 0, 255) << "16711680";
    QTest::newRow("count background: grey") << 3 << QColor(Qt::white) << QColor(0x40, 0x40, 0x40) << "4210752";
    QTest::newRow("window: 1, 2, 3") << 4 << QColor(Qt::black) << QColor(1, 2, 3) << "197121";
}

void TestSettingsPickers::colourPicked() {
    QFETCH(int, index);
    QFETCH(QColor, before);
    QFETCH(QColor, chosen);
    QFETCH(QString, text);
    const QString colourKey = QStringLiteral("OptColor(%1)").arg(index);
    const QString stored = store->value(Section::Config, colourKey);
    auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(1);
    colourAnswer = chosen;
    QTest::mouseClick(window->initialPage->Command3[std::size_t(index)], Qt::LeftButton);

    QCOMPARE(colourRequests, QList<QColor>{before});
    QCOMPARE(appSettings().OptColor[std::size_t(index)], text);
    QCOMPARE(swatchShows(*window, index), chosen);
    QCOMPARE(store->value(Section::Config, colourKey), stored);

    // In force even when the window is left with "キャンセル"; the store keeps the old colour.
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(appSettings().OptColor[std::size_t(index)], text);
    QCOMPARE(store->value(Section::Config, colourKey), stored);
    window = openWithScriptedPickers();
    QCOMPARE(swatchShows(*window, index), chosen);
}

void TestSettingsPickers::colourCancelled() {
    const auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(1);
    QTest::mouseClick(window->initialPage->Command3[4], Qt::LeftButton);
    QCOMPARE(colourRequests.size(), 1);
    QCOMPARE(appSettings().OptColor[4], QStringLiteral("&H00000000&"));
    QCOMPARE(swatchShows(*window, 4), QColor(Qt::black));
}

void TestSettingsPickers::colourStoredWithItsPage() {
    const auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(1);
    colourAnswer = QColor(Qt::red);
    QTest::mouseClick(window->initialPage->Command3[0], Qt::LeftButton);
    window->SSTab1->setCurrentIndex(2);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptColor(0)")), QStringLiteral("&H00FFFFFF&"));
    window->SSTab1->setCurrentIndex(1);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptColor(0)")), QStringLiteral("255"));
}

void TestSettingsPickers::fontPicked_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QFont>("chosen");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<bool>>("flags"); // Check2(0), Check2(1), Check3(0)
    QFont gothic(QStringLiteral("IPAGothic"));
    gothic.setPointSizeF(14);
    gothic.setBold(true);
    gothic.setItalic(true);
    QFont mincho(QStringLiteral("IPAMincho"));
    mincho.setPointSizeF(10.5);
    QFont boldMincho = mincho;
    boldMincho.setBold(true);
    QTest::newRow("message, bold italic")
        << 0 << gothic << QStringList{"IPAGothic", "14", "True", "True"} << QList<bool>{true, true, false};
    QTest::newRow("message, plain") << 0 << mincho << QStringList{"IPAMincho", "10.5", "False", "False"}
                                    << QList<bool>{false, false, false};
    // The count keeps its italic flag, though nothing shows it.
    QTest::newRow("count, bold italic") << 1 << gothic << QStringList{"IPAGothic", "14", "True", "True"}
                                        << QList<bool>{false, false, true};
    QTest::newRow("count, bold") << 1 << boldMincho << QStringList{"IPAMincho", "10.5", "True", "False"}
                                 << QList<bool>{false, false, true};
}

void TestSettingsPickers::fontPicked() {
    QFETCH(int, index);
    QFETCH(QFont, chosen);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, flags);
    const auto stored = storeContents(*store);
    const auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(2);
    fontAnswer = chosen;
    QTest::mouseClick(window->messagePage->Command2[std::size_t(index)], Qt::LeftButton);

    const auto& font = index == 0 ? appSettings().OptFont : appSettings().OptFont2;
    QCOMPARE(QStringList(font.begin(), font.end()), texts);
    QCOMPARE(window->messagePage->Label2[std::size_t(index)]->text(), texts[0]);
    QCOMPARE(window->messagePage->Label2[std::size_t(1 - index)]->text(), QStringLiteral("ＭＳ Ｐ明朝"));
    QCOMPARE(window->messagePage->Check2[0]->isChecked(), flags[0]);
    QCOMPARE(window->messagePage->Check2[1]->isChecked(), flags[1]);
    QCOMPARE(window->messagePage->Check3[0]->isChecked(), flags[2]);
    // The store gets it when the page is saved.
    QCOMPARE(storeContents(*store), stored);
    QTest::mouseClick(window->Command1[2], Qt::LeftButton);
    const QString family = index == 0 ? QStringLiteral("OptFont(%1)") : QStringLiteral("OptFont2(%1)");
    for (int i = 0; i < 4; ++i)
        QCOMPARE(store->value(Section::Fonts, family.arg(i)), texts[i]);
}

void TestSettingsPickers::fontUnchangedKeepsStoredName() {
    appSettings().OptFont = {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("24"), QStringLiteral("True"),
                             QStringLiteral("False")};
    const auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(2);
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    QCOMPARE(fontRequests.size(), 1);
    // The dialog knows the installed family that stands for the stored name.
    const QFont initial = fontRequests[0];
    QCOMPARE(initial.family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(initial.pointSizeF(), 24.0);
    QVERIFY(initial.bold());
    QVERIFY(!initial.italic());

    fontAnswer = initial;
    QTest::mouseClick(window->messagePage->Command2[0], Qt::LeftButton);
    QCOMPARE(appSettings().OptFont[0], QStringLiteral("ＭＳ Ｐ明朝"));
    QCOMPARE(window->messagePage->Label2[0]->text(), QStringLiteral("ＭＳ Ｐ明朝"));
    QCOMPARE(appSettings().OptFont[1], QStringLiteral("24"));
    QCOMPARE(appSettings().OptFont[2], QStringLiteral("True"));
}

void TestSettingsPickers::fontCancelled() {
    const auto window = openWithScriptedPickers();
    window->SSTab1->setCurrentIndex(2);
    const auto before = appSettings().OptFont2;
    QTest::mouseClick(window->messagePage->Command2[1], Qt::LeftButton);
    QCOMPARE(fontRequests.size(), 1);
    QCOMPARE(appSettings().OptFont2, before);
    QCOMPARE(window->messagePage->Label2[1]->text(), QStringLiteral("ＭＳ Ｐ明朝"));
    QVERIFY(!window->messagePage->Check3[0]->isChecked());
}

void TestSettingsPickers::filePicked() {
    store->preset(Section::Config, QStringLiteral("OptHaik"), QStringLiteral("1"));
    loadFreshSettings(*platform);
    const auto window = openWithScriptedPickers();
    fileAnswer = QStringLiteral("/home/user/写真/桜.JPG");
    QTest::mouseClick(window->environmentPage->Command4, Qt::LeftButton);

    QCOMPARE(fileFolders, QStringList{platform->dataFolder});
    const QStringList filters{"背景ﾌｧｲﾙ(*.BMP *.bmp)", "(*.JPG *.jpg)", "(*.GIF *.gif)", "その他すべてのﾌｧｲﾙ(*)"};
    QCOMPARE(fileFilters, QList<QStringList>{filters});
    // Stored at once, and kept when the window is left with "キャンセル".
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptBFile")), QStringLiteral("/home/user/写真/桜.JPG"));
    QCOMPARE(appSettings().OptBFile, QStringLiteral("/home/user/写真/桜.JPG"));
    QTest::mouseClick(window->Command1[1], Qt::LeftButton);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptBFile")), QStringLiteral("/home/user/写真/桜.JPG"));
}

void TestSettingsPickers::fileCancelled() {
    store->preset(Section::Config, QStringLiteral("OptHaik"), QStringLiteral("1"));
    store->preset(Section::Config, QStringLiteral("OptBFile"), QStringLiteral("/old.bmp"));
    loadFreshSettings(*platform);
    const auto window = openWithScriptedPickers();
    QTest::mouseClick(window->environmentPage->Command4, Qt::LeftButton);
    QCOMPARE(fileFolders.size(), 1);
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptBFile")), QStringLiteral("/old.bmp"));
    QCOMPARE(appSettings().OptBFile, QStringLiteral("/old.bmp"));
}

void TestSettingsPickers::standardColourDialog_data() {
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK") << true;
    QTest::newRow("キャンセル") << false;
}

void TestSettingsPickers::standardColourDialog() {
    QFETCH(bool, accepted);
    SETTEI window;
    window.show();
    window.SSTab1->setCurrentIndex(1);
    QColor offered;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        QVERIFY(dialog);
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(1, 2, 3));
        if (accepted)
            dialog->accept();
        else
            dialog->reject();
    });
    QTest::mouseClick(window.initialPage->Command3[1], Qt::LeftButton);
    QCOMPARE(offered, QColor(Qt::white));
    QCOMPARE(appSettings().OptColor[1], accepted ? QStringLiteral("197121") : QStringLiteral("&H00FFFFFF&"));
}

void TestSettingsPickers::standardFontDialog() {
    SETTEI window;
    window.show();
    window.SSTab1->setCurrentIndex(2);
    QFont offered;
    bool effectsShown = true;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        QVERIFY(dialog);
        offered = dialog->currentFont();
        effectsShown = false;
        for (auto* box : dialog->findChildren<QCheckBox*>())
            effectsShown = effectsShown || box->isVisible();
        QFont chosen(QStringLiteral("IPAGothic"));
        chosen.setPointSize(14);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    QTest::mouseClick(window.messagePage->Command2[0], Qt::LeftButton);
    QCOMPARE(offered.family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(offered.pointSizeF(), 20.0);
    QVERIFY(!effectsShown);
    QCOMPARE(appSettings().OptFont[0], QStringLiteral("IPAGothic"));
    QCOMPARE(appSettings().OptFont[1], QStringLiteral("14"));
    QCOMPARE(window.messagePage->Label2[0]->text(), QStringLiteral("IPAGothic"));
}

void TestSettingsPickers::standardFileDialog() {
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("背景.BMP"));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    platform->dataFolder = folder.path();
    store->preset(Section::Config, QStringLiteral("OptHaik"), QStringLiteral("1"));
    loadFreshSettings(*platform);
    SETTEI window;
    window.show();
    QString startFolder;
    QStringList filters;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        startFolder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->selectFile(picture);
        static_cast<QDialog*>(dialog)->accept(); // as "開く" does
    });
    QTest::mouseClick(window.environmentPage->Command4, Qt::LeftButton);
    QCOMPARE(startFolder, QDir(folder.path()).absolutePath());
    QCOMPARE(filters, SetteiEnvironmentPage::fileFilters());
    QCOMPARE(store->value(Section::Config, QStringLiteral("OptBFile")), picture);
    QCOMPARE(appSettings().OptBFile, picture);
}

QTEST_MAIN(TestSettingsPickers)
#include "tst_settingspickers.moc"
