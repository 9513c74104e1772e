#include "errorreport.h"

#include <QtTest>

#include <stdexcept>

using namespace mq;

namespace {
struct Reports
{
    QStringList texts;
    QStringList titles;
    Services services()
    {
        Services s;
        s.showMessage = [this](const QString &text, const QString &title) {
            texts << text;
            titles << title;
        };
        return s;
    }
};
} // namespace

class TestErrorReport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("text");
        QTest::newRow("file missing") << 53 << QStringLiteral("File missing.")
                                      << QStringLiteral("File missing.\r\r【エラーコード＝53】");
        QTest::newRow("empty description") << 62 << QString() << QStringLiteral("\r\r【エラーコード＝62】");
        QTest::newRow("negative") << -1 << QStringLiteral("x") << QStringLiteral("x\r\r【エラーコード＝-1】");
        QTest::newRow("no grouping") << 1234567 << QStringLiteral("y")
                                     << QStringLiteral("y\r\r【エラーコード＝1234567】");
    }
    void text()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, text);
        QCOMPARE(errorReportText(number, description), text);
        // Three lines: lone CRs, never CR LF.
        QVERIFY(!errorReportText(number, description).contains(QLatin1Char('\n')));
        QCOMPARE(errorReportText(number, description).split(QLatin1Char('\r')).size(), 3);
    }

    void reportUsesTitleAndOneBox()
    {
        Reports r;
        reportFailure(r.services(), 53, QStringLiteral("ファイルが見つかりません。"));
        QCOMPARE(r.texts, QStringList{QStringLiteral("ファイルが見つかりません。\r\r【エラーコード＝53】")});
        QCOMPARE(r.titles, QStringList{QStringLiteral("ＶＢエラー")});
    }

    void trapStopsAtTheFailingStepAndKeepsEarlierEffects()
    {
        Reports r;
        QStringList done;
        trap(r.services(), [&] {
            done << "first";
            throw Failure{70, QStringLiteral("書き込みできません。")};
            done << "never";
        });
        QCOMPARE(done, QStringList{"first"});
        QCOMPARE(r.texts.size(), 1);
        QVERIFY(r.texts[0].endsWith(QStringLiteral("【エラーコード＝70】")));

        // The next event starts afresh and runs to its end.
        trap(r.services(), [&] { done << "again"; });
        QCOMPARE(done, (QStringList{"first", "again"}));
        QCOMPARE(r.texts.size(), 1);
    }

    void trapCatchesForeignExceptions()
    {
        Reports r;
        trap(r.services(), [] { throw std::runtime_error("boom"); });
        trap(r.services(), [] { throw 42; });
        QCOMPARE(r.texts.size(), 2);
        for (const QString &t : r.texts) {
            QVERIFY(t.contains(QStringLiteral("【エラーコード＝")));
            QVERIFY(!t.startsWith(QStringLiteral("\r")));
        }
    }

    void aReportThatFailsDoesNotEscape()
    {
        Services s;
        s.showMessage = [](const QString &, const QString &) { throw std::runtime_error("no display"); };
        bool after = false;
        trap(s, [] { throw Failure{1, QStringLiteral("x")}; });
        after = true;
        QVERIFY(after);
    }
};

QTEST_GUILESS_MAIN(TestErrorReport)
#include "test_errorreport.moc"
