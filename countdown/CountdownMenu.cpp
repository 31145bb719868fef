#include "countdown/CountdownMenu.h"

#include <QMenuBar>

CountdownMenuItems addCountdownMenus(QMenuBar& bar, const CountdownMenuHandlers& handlers) {
    CountdownMenuItems items;
    QMenu* mnuFile = bar.addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    items.mnuFileEnd = mnuFile->addAction(QStringLiteral("ペルトラ の終了(&X)..."), handlers.end);

    QMenu* mnuOption = bar.addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    items.mnuOptSettei = mnuOption->addAction(QStringLiteral("各種設定(&K)"), handlers.settings);
    items.mnuOptSettei->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    items.mnuEditEvent = mnuOption->addAction(QStringLiteral("イベント日の設定(&V)"), handlers.eventDate);
    items.mnuEditEvent->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    QMenu* mnuHelp = bar.addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    items.mnuHelpContents_KeyWord[0] = mnuHelp->addAction(QStringLiteral("ﾄﾋﾟｯｸによる検索(&H)"), handlers.helpTopics);
    items.mnuHelpContents_KeyWord[0]->setShortcut(QKeySequence(Qt::Key_F1));
    items.mnuHelpContents_KeyWord[1] = mnuHelp->addAction(QStringLiteral("目次(&C)"), handlers.helpContents);
    mnuHelp->addSeparator();
    items.mnuHelpAbout = mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."), handlers.about);

    items.mnuFileEnd->setObjectName(QStringLiteral("mnuFileEnd"));
    items.mnuOptSettei->setObjectName(QStringLiteral("mnuOptSettei"));
    items.mnuEditEvent->setObjectName(QStringLiteral("mnuEditEvent"));
    items.mnuHelpContents_KeyWord[0]->setObjectName(QStringLiteral("mnuHelpContents_KeyWord_0"));
    items.mnuHelpContents_KeyWord[1]->setObjectName(QStringLiteral("mnuHelpContents_KeyWord_1"));
    items.mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    return items;
}
