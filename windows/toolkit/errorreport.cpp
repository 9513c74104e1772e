#include "errorreport.h"

namespace mq {

QString errorReportText(int number, const QString &description)
{
    return description + QStringLiteral("\r\r【エラーコード＝") + QString::number(number) + QStringLiteral("】");
}

void reportFailure(const Services &services, int number, const QString &description)
{
    // A report that itself fails has nowhere left to go; it must not take the program down.
    try {
        if (services.showMessage)
            services.showMessage(errorReportText(number, description), QStringLiteral("ＶＢエラー"));
    } catch (...) {
    }
}

} // namespace mq
