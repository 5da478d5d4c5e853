#include "settingsreference.h"

#include <QFile>
#include <QtTest>

// docs/settings.md is made from the key table: a key added, renamed or
// described anew must show up there too.
class TestSettingsReference : public QObject
{
    Q_OBJECT

private slots:
    void referenceMatchesTheKeyTable()
    {
        QFile file(QStringLiteral(VANTORA_SETTINGS_REFERENCE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString made = SettingsReference::Markdown();
        if (QString::fromUtf8(file.readAll()) != made) {
            QFile fresh(QStringLiteral("settings.md"));
            QVERIFY(fresh.open(QIODevice::WriteOnly));
            fresh.write(made.toUtf8());
            QFAIL(qPrintable(QStringLiteral("docs/settings.md differs from the key table; the table's version is %1")
                                 .arg(QFileInfo(fresh).absoluteFilePath())));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsReference)
#include "tst_settingsreference.moc"
