#pragma once

#include <QElapsedTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QtTest>
#include <memory>

// Runs a script in the page and waits (at most 10 s) for its value; an
// invalid QVariant when the page does not answer in time.
inline QVariant evaluateInPage(QWebEnginePage *page, const QString &script)
{
    // The page may answer after we gave up: the answer outlives this frame.
    struct Answer
    {
        QVariant value;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    page->runJavaScript(script, [answer](const QVariant &value) {
        answer->value = value;
        answer->done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!answer->done && clock.elapsed() < 10000)
        QTest::qWait(5);
    return answer->value;
}
