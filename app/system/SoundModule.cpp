// The player of the return chime, built as a module of its own: the program loads it (and with it
// the audio libraries) only when a chime is due, so that it carries none of them while it idles.

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

// Plays the WAV file to its end. False when it could not be played: no audio output, a file the
// decoder refuses, or a device that never starts.
extern "C" Q_DECL_EXPORT bool peltraPlaySoundFile(const QString& path) {
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    QSoundEffect effect;
    QEventLoop loop;
    bool failed = false;
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) {
            failed = true;
            loop.quit();
        } else if (effect.status() == QSoundEffect::Ready) {
            effect.play();
        }
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying() && effect.status() == QSoundEffect::Ready)
            loop.quit();
    });
    // A sound that never starts must not hold the program.
    constexpr int longestWait = 5000;
    QTimer::singleShot(longestWait, &loop, [&] {
        failed = failed || !effect.isPlaying();
        loop.quit();
    });
    effect.setSource(QUrl::fromLocalFile(path));
    loop.exec();
    return !failed;
}
