<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 (see peltra --help)</source>
        <translation>%1 (peltra --help をご覧ください)</translation>
    </message>
    <message>
        <source>Usage: peltra [-p NAME] [OPTION]
Counts down the days to an event. Without an option it opens its window.

  -p, --profile NAME   the countdown named NAME instead of the default one: its own
                       settings, window and autostart entry (with the options below too)
  --days-left          print the days left to the stored event date: 1 for tomorrow,
                       0 on the day, negative once it has passed
  --event-date         print the stored event date (yyyy/MM/dd)
  --list               print every countdown that has an event date, fewest days first:
                       days left, tab, event date, tab, name (empty for the default)
  --autostart on|off   start peltra at login, or no longer
  -h, --help           print this help
  -v, --version        print the version

Settings: $XDG_CONFIG_HOME/PELTRA/PELTRA.ini (~/.config/PELTRA/PELTRA.ini), a named countdown's in
countdowns/NAME.ini beside it; the options only read them.
Exit status: 0 done, 1 no event date stored or the autostart entry not changed, 2 a wrong option.</source>
        <translation>使い方: peltra [-p 名前] [オプション]
イベント日までの残り日数を数えます。オプションを付けずに起動するとウィンドウを開きます。

  -p, --profile 名前   既定のカウントダウンの代わりに、その名前のカウントダウンを使います。
                       設定・ウィンドウ・自動起動はそれぞれ別です (下のオプションにも使えます)
  --days-left          保存されているイベント日までの残り日数を表示します。明日なら 1、
                       当日は 0、過ぎた後は負の数です
  --event-date         保存されているイベント日を表示します (yyyy/MM/dd)
  --list               イベント日のあるカウントダウンをすべて、残り日数の少ない順に表示します:
                       残り日数、タブ、イベント日、タブ、名前 (既定のものは空)
  --autostart on|off   ログイン時に peltra を起動するかどうかを設定します
  -h, --help           このヘルプを表示します
  -v, --version        バージョンを表示します

設定: $XDG_CONFIG_HOME/PELTRA/PELTRA.ini (~/.config/PELTRA/PELTRA.ini)、名前付きのカウントダウンは
同じ場所の countdowns/名前.ini。オプションは読むだけで、書き換えません。
終了ステータス: 0 成功、1 イベント日が保存されていないか自動起動の設定を変更できなかった、2 オプションの誤り。</translation>
    </message>
    <message>
        <source>no event date is stored; start peltra to choose one</source>
        <translation>イベント日が保存されていません。peltra を起動して設定してください</translation>
    </message>
    <message>
        <source>the stored event date &quot;%1&quot; is not a date; start peltra to choose one</source>
        <translation>保存されているイベント日「%1」は日付ではありません。peltra を起動して設定し直してください</translation>
    </message>
    <message>
        <source>%1 is not a file that peltra made, so it is left as it is</source>
        <translation>%1 は peltra が作ったファイルではないため、変更しません</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 を削除できません</translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>フォルダー %1 を作れません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;</source>
        <translation>「%1」というオプションはありません</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;</source>
        <translation>「%1」の後に値が必要です</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;</source>
        <translation>「%1」には値を付けられません</translation>
    </message>
    <message>
        <source>peltra starts at login: %1 written</source>
        <translation>ログイン時に peltra を起動します: %1 を書き込みました</translation>
    </message>
    <message>
        <source>peltra no longer starts at login: %1 removed</source>
        <translation>ログイン時に peltra を起動しません: %1 を削除しました</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>余分な引数「%1」があります</translation>
    </message>
    <message>
        <source>--days-left, --event-date, --list and --autostart go one at a time</source>
        <translation>--days-left、--event-date、--list、--autostart は一度に一つずつ指定してください</translation>
    </message>
    <message>
        <source>--autostart takes on or off, not &quot;%1&quot;</source>
        <translation>--autostart には「%1」ではなく on か off を指定してください</translation>
    </message>
    <message>
        <source>no display found (DISPLAY is not set); run it on a desktop, or under Xvfb: xvfb-run -a peltra</source>
        <translation>ディスプレイが見つかりません (DISPLAY が設定されていません)。デスクトップで実行するか、Xvfb の上で実行してください: xvfb-run -a peltra</translation>
    </message>
    <message>
        <source>PELTRA is running already but does not answer</source>
        <translation>PELTRA はすでに起動していますが、応答がありません</translation>
    </message>
    <message>
        <source>PELTRA is running already, but later starts cannot reach it; use its window or its tray icon</source>
        <translation>PELTRA はすでに起動していますが、後から起動したプログラムからは呼び出せません。起動中のウィンドウかトレイのアイコンをお使いください</translation>
    </message>
    <message>
        <source>its address could not be made: later starts cannot reach this one</source>
        <translation>呼び出し用のアドレスを作れませんでした。後から起動したプログラムからはこのプログラムを呼び出せません</translation>
    </message>
    <message>
        <source>--list shows every countdown; it takes no --profile</source>
        <translation>--list はすべてのカウントダウンを表示します。--profile とは一緒に使えません</translation>
    </message>
    <message>
        <source>a countdown's name must not be empty</source>
        <translation>カウントダウンの名前を空にはできません</translation>
    </message>
    <message>
        <source>a countdown's name has at most 64 characters</source>
        <translation>カウントダウンの名前は 64 文字までです</translation>
    </message>
    <message>
        <source>this countdown's name is too long for a file name</source>
        <translation>このカウントダウンの名前はファイル名として長すぎます</translation>
    </message>
    <message>
        <source>a countdown's name must not begin with &quot;.&quot;</source>
        <translation>カウントダウンの名前を「.」で始めることはできません</translation>
    </message>
    <message>
        <source>a countdown's name must not hold &quot;/&quot; or &quot;\&quot;</source>
        <translation>カウントダウンの名前に「/」や「\」は使えません</translation>
    </message>
    <message>
        <source>a countdown's name must not hold control characters</source>
        <translation>カウントダウンの名前に制御文字は使えません</translation>
    </message>
</context>
</TS>
