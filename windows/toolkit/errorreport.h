#pragma once

#include "failure.h"
#include "services.h"

#include <QString>

#include <exception>
#include <new>

namespace mq {

// Description, two lone CRs, then 【エラーコード＝N】.
QString errorReportText(int number, const QString &description);
// One modal box titled "ＶＢエラー"; a box that cannot be shown is given up on silently.
void reportFailure(const Services &services, int number, const QString &description);

// Every event handler runs its body through this: a failure ends the body at the failing
// step, keeps what was done before it, and is shown once. Nothing escapes to Qt's event loop.
template <class Body>
void trap(const Services &services, Body &&body) noexcept
{
    try {
        body();
    } catch (const Failure &f) {
        reportFailure(services, f.number, f.description);
    } catch (const std::bad_alloc &) {
        reportFailure(services, err::OutOfMemory, QStringLiteral("メモリが不足しています。"));
    } catch (const std::exception &e) {
        reportFailure(services, err::Internal,
                      QStringLiteral("内部エラーが発生しました。（%1）").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        reportFailure(services, err::Internal, QStringLiteral("内部エラーが発生しました。"));
    }
}

} // namespace mq
