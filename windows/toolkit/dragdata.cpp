#include "dragdata.h"

#include <QMimeData>

namespace mq {

QMimeData *makeDragData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    return data;
}

} // namespace mq
