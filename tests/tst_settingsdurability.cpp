// Kills a process that saves settings as the program does (settings OK with a new size and rescaled
// positions, the click on the count, the exit question's save, the event date) at random moments, and
// checks the file after each kill: it parses, holds every value of each finished action, and the cut
// action whole or not at all, so that a size is never paired with the positions of another.
#include "app/DateTimeText.h"
#include "app/SettingsLoader.h"
#include "app/SettingsSaving.h"
#include "app/SizePresets.h"
#include "tests/support/TestStore.h"

#include <cstdio>
#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int killCount = 100;

// Tells the parent "B" with the values an action is about to write, then writes them, then tells "D".
void writeAndTell(int pipe, SettingsStore& store, const QList<StoredValue>& values) {
    QByteArray line = "B";
    for (const StoredValue& value : values)
        line += '\t' + (value.section + u'/' + value.key + u'=' + value.value).toUtf8();
    line += '\n';
    if (::write(pipe, line.constData(), size_t(line.size())) < 0)
        ::_exit(3);
    if (values.size() == 1) // the event date
        store.Save(values[0].section, values[0].key, values[0].value);
    else
        writeStoredValues(store, values);
    if (::write(pipe, "D\n", 2) < 0)
        ::_exit(3);
}

[[noreturn]] void saveUntilKilled(int pipe, int run, unsigned actionSeed) {
    ScriptedPlatform platform;
    SettingsStore& store = SettingsStore::instance();
    AppSettings s;
    loadSettings(s, store, platform, [&] { store.Save(Section::Config, "TheDate", "2027/03/01"); });
    std::mt19937 random(actionSeed);
    for (int action = 0;; ++action) {
        const QString mark = QString::number(run * 100000 + action);
        if (const unsigned kind = random() % 4; kind == 0) { // OK in the settings window: three pages, one write
            EnvironmentChoices environment;
            for (bool& ticked : environment.ticked)
                ticked = random() % 2;
            QList<StoredValue> values = SaveEnvironmentTab(s, environment);
            values += SaveInitialTab(s, {double(5 + random() % 356), int(random() % presetCount)}, platform.now());
            writeAndTell(pipe, store, values + SaveMessagesTab(s, {"上段" + mark, "下段" + mark}));
        } else if (kind < 3) { // the click on the count, or the exit question with the label positions
            QList<StoredValue> values{{Section::Position, "M_Top", mark}, {Section::Position, "M_Left", mark}};
            for (std::size_t i = 0; action % 2 == 0 && i < 3; ++i)
                values << StoredValue{Section::Position, QString("Label_Left(%1)").arg(i), s.Label_Left[i]}
                       << StoredValue{Section::Position, QString("Label_Top(%1)").arg(i), s.Label_Top[i]};
            writeAndTell(pipe, store, values);
        } else {
            const QDate date = QDate(2027, 1, 1).addDays(action % 3000);
            writeAndTell(pipe, store, {{Section::Config, "TheDate", storedDateText(date)}});
        }
    }
}

} // namespace

int main() {
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMicroseconds(5000, 150000);
    QMap<QString, QString> finished, previous; // each key's value from the last finished action; the last file
    int actionsFinished = 0, checks = 0, failures = 0;
    for (int kill = 0; kill < killCount; ++kill) {
        const auto check = [&](bool ok, const QString& what) {
            if (++checks, !ok)
                ++failures, std::fprintf(stderr, "after kill %d: %s\n", kill + 1, qPrintable(what));
        };
        int pipe[2];
        if (::pipe(pipe) != 0)
            return 2;
        const unsigned actionSeed = random();
        const pid_t child = ::fork();
        if (child == 0)
            ::close(pipe[0]), saveUntilKilled(pipe[1], kill, actionSeed);
        ::close(pipe[1]);
        ::usleep(useconds_t(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QFile report;
        report.open(pipe[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
        QList<QByteArray> lines = report.readAll().split('\n');
        lines.removeLast(); // a line cut by the kill says nothing
        QMap<QString, QString> inFlight;
        for (const QByteArray& line : lines) {
            if (line == "D")
                finished.insert(inFlight), ++actionsFinished;
            inFlight.clear();
            for (const QString& field : QString::fromUtf8(line).split(u'\t').mid(1))
                inFlight.insert(field.section(u'=', 0, 0), field.section(u'=', 1));
        }

        QFile file(folder.filePath("PELTRA/PELTRA.ini")); // none before the first save
        const auto contents = parseSettingsFile(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        check(!contents.damaged, "the file does not parse cleanly");
        for (auto it = finished.cbegin(); it != finished.cend(); ++it) {
            const QString onDisk = contents.values.value(it.key());
            check(onDisk == it.value() || (inFlight.contains(it.key()) && onDisk == inFlight.value(it.key())),
                  it.key() + " lost its finished value");
        }
        // The cut action is on disk whole or not at all, told apart by the keys it changes from a value
        // known before it; the next run starts from this file.
        int taken = 0, notTaken = 0;
        for (auto it = inFlight.cbegin(); it != inFlight.cend(); ++it)
            if (finished.value(it.key(), previous.value(it.key(), it.value())) != it.value())
                ++(contents.values.value(it.key()) == it.value() ? taken : notTaken);
        check(taken == 0 || notTaken == 0, "the cut action is on disk in part");
        if (taken > 0)
            finished.insert(inFlight);
        previous = contents.values;
    }
    std::printf("kills: %d, actions finished: %d, checks: %d, failures: %d\n", killCount, actionsFinished, checks,
                failures);
    return failures == 0 ? 0 : 1;
}
