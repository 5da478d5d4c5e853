#pragma once

#include <QString>

#include <memory>

class OpenDocument;
class QWidget;

// Opens a PDF for the window: asks for the password while the file wants
// one, and tells the user in a message box why a file cannot be opened.
class DocumentOpener
{
public:
    explicit DocumentOpener(QWidget* parent) : mParent(parent) {}

    // Null when the user gave up or the file cannot be opened (already said).
    std::unique_ptr<OpenDocument> open(const QString& path);
    // The password that opened the last document (empty when none was needed).
    QString password() const { return mPassword; }

private:
    QWidget* mParent;
    QString mPassword;
};
