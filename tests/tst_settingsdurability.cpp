// Kills, at 100 seeded moments, a process saving settings as the program does (settings OK with a new size and
// rescaled positions, the click on the count, the exit question's save, the event date) and checks the file after
// each kill: it parses, keeps every value of each finished action, and holds the cut action whole or not at all.
#include "app/core/DateTimeText.h"
#include "app/core/SizePresets.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsSaving.h"
#include "tests/support/TestStore.h"

#include <cstdio>
#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

static constexpr int killCount = 100;
static QFile report;         // the saving process's side of the pipe
static SettingsStore* store; // taken in the saving process, once the config folder is the test's

// Tells the parent "B" with the items an action is about to write, then writes them, then tells "D". The
// event date is saved alone, as the program saves it; other actions in one write.
static void writeAndTell(const QList<StoredValue>& items) {
    QByteArray line = "B";
    for (const StoredValue& value : items)
        line += '\t' + (value.section + u'/' + value.key + u'=' + value.value).toUtf8();
    report.write(line + '\n');
    items.size() == 1 ? store->Save(items[0].section, items[0].key, items[0].value) : writeStoredValues(*store, items);
    report.write("D\n");
}

[[noreturn]] static void saveUntilKilled(int pipe, int run, unsigned actionSeed) {
    report.open(pipe, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ScriptedPlatform platform;
    store = new SettingsStore; // the file the last run left; the process is killed with it
    AppSettings s;
    loadSettings(s, *store, platform, [&] { store->Save(Section::Config, "TheDate", "2027/03/01"); });
    std::mt19937 random(actionSeed);
    for (int action = 0;; ++action) {
        const QString mark = QString::number(run * 100000 + action);
        if (const unsigned kind = random() % 4; kind == 0) { // OK in the settings window: three pages, one write
            EnvironmentChoices environment;
            for (bool& ticked : environment.ticked)
                ticked = random() % 2;
            QList<StoredValue> values = SaveEnvironmentTab(s, environment);
            values += SaveInitialTab(s, {double(5 + random() % 356), int(random() % presetCount)}, platform.now());
            writeAndTell(values + SaveMessagesTab(s, {"上段" + mark, "下段" + mark}));
        } else if (kind < 3) { // the click on the count, or the exit question with the label positions
            QList<StoredValue> values{{Section::Position, "M_Top", mark}, {Section::Position, "M_Left", mark}};
            for (std::size_t i = 0; action % 2 == 0 && i < 3; ++i)
                values << StoredValue{Section::Position, QString("Label_Left(%1)").arg(i), s.Label_Left[i]}
                       << StoredValue{Section::Position, QString("Label_Top(%1)").arg(i), s.Label_Top[i]};
            writeAndTell(values);
        } else {
            writeAndTell({{Section::Config, "TheDate", storedDateText(QDate(2027, 1, 1).addDays(action % 3000))}});
        }
    }
}

int main() {
    TestStore folder;
    std::mt19937 random(20261207);
    QMap<QString, QString> finished, previous;          // each key's value from the last finished action; the last file
    int actions = 0, checks = 0, failures = 0, pipe[2]; // actions finished
    for (int kill = 0; kill < killCount; ++kill) {
        const auto check = [&](bool ok, const QString& what) {
            if (++checks, !ok)
                ++failures, std::fprintf(stderr, "after kill %d: %s\n", kill + 1, qPrintable(what));
        };
        check(::pipe(pipe) == 0, "no pipe");
        const pid_t child = ::fork();
        if (const unsigned actionSeed = random(); child == 0) // drawn on both sides, the parent's draws stay in step
            ::close(pipe[0]), saveUntilKilled(pipe[1], kill, actionSeed);
        ::close(pipe[1]);
        ::usleep(useconds_t(5000 + random() % 145000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QFile told;
        told.open(pipe[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
        const QList<QByteArray> lines = told.readAll().split('\n');
        QMap<QString, QString> inFlight;
        for (const QByteArray& line : lines.first(lines.size() - 1)) { // the last, cut by the kill, says nothing
            if (line == "D")
                finished.insert(inFlight), ++actions;
            inFlight.clear();
            for (const QString& field : QString::fromUtf8(line).split(u'\t').mid(1))
                inFlight.insert(field.section(u'=', 0, 0), field.section(u'=', 1));
        }
        const auto contents = parseSettingsFile(folder.fileBytes()); // none before the first save
        check(!contents.damaged, "the file does not parse cleanly");
        for (const auto& [key, value] : finished.asKeyValueRange())
            check(QStringList{value, inFlight.value(key, value)}.contains(contents.values.value(key)),
                  key + " lost its finished value");
        // The cut action is on disk whole or not at all, told by the keys it changes from a value known before.
        int taken = 0, notTaken = 0;
        for (const auto& [key, value] : inFlight.asKeyValueRange())
            if (finished.value(key, previous.value(key, value)) != value)
                ++(contents.values.value(key) == value ? taken : notTaken);
        check(taken == 0 || notTaken == 0, "the cut action is on disk in part");
        if (taken > 0)
            finished.insert(inFlight);
        previous = contents.values; // the next run starts from this file
    }
    std::printf("kills: %d, actions finished: %d, checks: %d, failures: %d\n", killCount, actions, checks, failures);
    return failures == 0 ? 0 : 1;
}
