#include "TestMain.h"

#include "Application.h"

#include <QStandardPaths>
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
    int failures = 0;
    for (const TestFactory& make : registeredTests()) {
        std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failures == 0 ? 0 : 1;
}
