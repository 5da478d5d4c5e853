#include "documentopener.h"

#include "hosterror.h"
#include "opendocument.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

std::unique_ptr<OpenDocument> DocumentOpener::open(const QString& path)
{
    QString password;
    const QString prompt = QObject::tr("%1 is protected by a password.\nPassword:").arg(QFileInfo(path).fileName());
    for (;;) {
        try {
            auto document = std::make_unique<OpenDocument>(path, password);
            mPassword = password;
            return document;
        } catch (const PasswordError& error) {
            if (!password.isEmpty())
                QMessageBox::warning(mParent, QObject::tr("Open"), error.message());
            bool given = false;
            password = QInputDialog::getText(mParent, QObject::tr("Password"), prompt, QLineEdit::Password, QString(), &given);
            if (!given)
                return nullptr;
        } catch (const HostError& error) {
            QMessageBox::warning(mParent, QObject::tr("Open"), error.message());
            return nullptr;
        }
    }
}
