#pragma once

#include "services.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A desktop for tests: message boxes are recorded instead of shown, the browser is
// never started, and NAME.txt lives in a fresh temporary folder.
struct FakeDesktop
{
    QStringList messages;
    QList<QUrl> opened;
    QTemporaryDir dir;

    mq::Services services()
    {
        mq::Services s;
        s.showMessage = [this](const QString &text, const QString &) { messages << text; };
        s.openUrl = [this](const QUrl &url) {
            opened << url;
            return true;
        };
        s.profilePath = namePath();
        return s;
    }

    QString namePath() const { return dir.filePath(QStringLiteral("NAME.txt")); }
};
