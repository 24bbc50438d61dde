#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the per-user folders (XDG data, config and cache) at a fresh temporary
// folder, so a test sees an empty app-data folder and settings store and never
// touches the real user's. Create it before the first QSettings or
// QStandardPaths call of the process (QSettings caches its paths).
class TestHome
{
public:
    TestHome();
    QString path() const { return m_dir.path(); }
    QString dataPath() const { return m_dir.path() + "/data"; }
    QString configPath() const { return m_dir.path() + "/config"; }

private:
    QTemporaryDir m_dir;
};

// Declares a test's main with a fresh home set up before the application object.
#define KELMORA_TEST_MAIN(AppClass, TestObject)                                                    \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestHome home;                                                                             \
        AppClass app(argc, argv);                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
