#include "TestMain.h"

#include "Application.h"

#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <QTest>

std::vector<TestFactory>& registeredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

int main(int argc, char** argv)
{
    // Settings and other per-user files go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    TApplication app(argc, argv);
    app.SetTitle(QStringLiteral("Zlatovir VEDU Dozezi"));
    // Test functions named on the command line run only in the classes that
    // have them; with none named, every class runs whole.
    QStringList named;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-')
            named << QString::fromLocal8Bit(argv[i]).section(QLatin1Char(':'), 0, 0);
    int failures = 0;
    for (const TestFactory& make : registeredTests()) {
        std::unique_ptr<QObject> test = make();
        const QMetaObject* meta = test->metaObject();
        const bool hasNamed = std::any_of(named.begin(), named.end(), [meta](const QString& f) {
            return meta->indexOfMethod(QMetaObject::normalizedSignature(qPrintable(f + QStringLiteral("()")))) >= 0;
        });
        if (!named.isEmpty() && !hasNamed)
            continue;
        failures += QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failures == 0 ? 0 : 1;
}
