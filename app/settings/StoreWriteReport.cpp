#include "app/settings/StoreWriteReport.h"

#include "app/core/Platform.h"
#include "app/settings/StoreWrite.h"

void reportStoreWrite(Platform& platform, const StoreWrite& write) {
    if (!write.damagedCopy.isEmpty()) {
        platform.messageBox(
            QStringLiteral("設定ファイルに読み取れない部分がありました。読み取れた設定はすべて引き継ぎ、"
                           "元のファイルは次の名前で残しました。\n%1")
                .arg(write.damagedCopy),
            MessageStyle::Information, QStringLiteral("設定ファイル"));
    }
    if (!write.failedFile.isEmpty()) {
        platform.messageBox(QStringLiteral("設定を保存できませんでした。\n%1").arg(write.failedFile),
                            MessageStyle::Exclamation, QStringLiteral("設定の保存"));
    }
}
