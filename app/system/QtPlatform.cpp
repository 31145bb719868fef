#include "app/system/QtPlatform.h"

#include "app/core/HelpRequest.h"
#include "app/core/Twips.h"
#include "app/system/FontSetup.h"
#include "app/system/WallClockWatcher.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <memory>

namespace {

QWidget* visibleParent() {
    // A box over a minimised window would be minimised with it; such a box stands alone.
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (parent && (parent->isMinimized() || !parent->isVisible()))
        parent = nullptr;
    return parent;
}

QRectF toTwips(const QRect& pixels) {
    return {Twips::fromPixelsX(pixels.x()), Twips::fromPixelsY(pixels.y()), Twips::fromPixelsX(pixels.width()),
            Twips::fromPixelsY(pixels.height())};
}

} // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() = default;

int QtPlatform::messageBox(const QString& prompt, int style, const QString& title) {
    // A message before the countdown window (a damaged settings file) is its program's first text.
    installFontSubstitutions();
    QMessageBox box(visibleParent());
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (style == MessageStyle::Question) {
        box.setIcon(QMessageBox::Question);
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        box.addButton(QMessageBox::Cancel); // also the answer of Escape and the close box
        box.setDefaultButton(ok);
        box.exec();
        return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    box.setIcon(style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::Information);
    box.addButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

QString QtPlatform::helpViewerPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/peltra-help");
}

void QtPlatform::winHelp(QWidget* window, const QString& helpFile, int command, int data) {
    Q_UNUSED(window);
    HelpRequest request{helpFile, HelpRequest::Kind::Contents, 0};
    switch (command) {
    case HelpCommand::Context:
        request.kind = HelpRequest::Kind::Context;
        request.context = data;
        break;
    case HelpCommand::Contents:
        break;
    case HelpCommand::PartialKey:
        request.kind = HelpRequest::Kind::Index;
        break;
    default:
        return;
    }
    // The viewer runs on its own; a missing viewer is its own affair, as a missing help file is.
    if (QFileInfo(helpViewerPath()).isExecutable())
        QProcess::startDetached(helpViewerPath(), request.toArguments());
}

QString QtPlatform::soundModulePath() {
    // Beside the program in the build tree, in libexec/peltra of the installed tree.
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    QString besideProgram = executableFolder.absoluteFilePath(QStringLiteral("peltra-sound.so"));
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    return QDir::cleanPath(executableFolder.absoluteFilePath(QStringLiteral("../libexec/peltra/peltra-sound.so")));
}

void QtPlatform::playSound(const QString& path) {
    using PlaySoundFile = bool (*)(const QString&);
    // Loaded at the first chime and kept: the audio libraries cost memory and start-up time otherwise.
    static const auto playSoundFile = [] {
        QLibrary module(soundModulePath());
        return reinterpret_cast<PlaySoundFile>(module.resolve("peltraPlaySoundFile"));
    }();
    if (!playSoundFile || !playSoundFile(path))
        QApplication::beep();
}

QString QtPlatform::environmentVariable(const QString& name) {
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString QtPlatform::existingFileName(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.isHidden())
        return {};
    return info.fileName();
}

void QtPlatform::openUrl(const QString& address, std::function<void(bool opened)> done) {
    // The opener's own status, not only whether it started: an opener that finds no handler exits
    // non-zero. Nothing goes through a shell; the address is one argument.
    auto* process = new QProcess;
    auto answered = std::make_shared<bool>(false);
    const auto answer = [answered, done = std::move(done)](bool opened) {
        if (*answered)
            return;
        *answered = true;
        done(opened);
    };
    QObject::connect(process, &QProcess::finished, process, [process, answer](int code, QProcess::ExitStatus status) {
        answer(status == QProcess::NormalExit && code == 0);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, answer](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        answer(false);
        process->deleteLater();
    });
    // Some openers stay until the program they started ends: after a while the address counts as
    // taken, and the process is left to run on its own.
    QTimer::singleShot(openerPatienceMs, process, [answer] { answer(true); });
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(QString::fromLatin1(opener), {address});
}

QSizeF QtPlatform::screenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return toTwips(screen->geometry()).size();
}

QList<QRectF> QtPlatform::screenRectsTwips() {
    QList<QRectF> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects << toTwips(screen->geometry());
    return rects;
}

QList<QRectF> QtPlatform::availableRectsTwips() {
    QList<QRectF> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects << toTwips(screen->availableGeometry());
    return rects;
}

QDateTime QtPlatform::now() {
    return QDateTime::currentDateTime();
}

qint64 QtPlatform::bootClockMsecs() {
    return WallClockWatcher::bootClockMsecs();
}

void QtPlatform::watchWallClock(std::function<void()> handler) {
    wallClock.reset();
    if (!handler)
        return;
    // Made at the first call, once the application and its event loop exist. A zone named by TZ
    // cannot change from outside the process (and the C library would not read its file again);
    // without TZ the zone is /etc/localtime.
    const QString zoneFile = qEnvironmentVariableIsEmpty("TZ") ? QStringLiteral("/etc/localtime") : QString();
    wallClock = std::make_unique<WallClockWatcher>(zoneFile);
    QObject::connect(wallClock.get(), &WallClockWatcher::jumped, wallClock.get(), std::move(handler));
}

void QtPlatform::processEvents() {
    QCoreApplication::processEvents();
}

QString QtPlatform::programDirectory() {
    // Installed: bin/peltra with its data in share/peltra; in the build tree the data lies beside it.
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    const QString installed = executableFolder.absoluteFilePath(QStringLiteral("../share/peltra"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return executableFolder.absolutePath();
}

void QtPlatform::endProgram() {
    std::exit(0);
}
