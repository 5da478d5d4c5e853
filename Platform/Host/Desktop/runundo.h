#pragma once

#include <QString>

#include <memory>

class OpenDocument;
class QTemporaryFile;

// Undo of one action run: the whole document is saved to a temporary file
// before the run and loaded back on undo, which restores the outline exactly
// (titles, destinations, tree and open state) whatever the run changed.
class RunUndo
{
public:
    RunUndo();
    ~RunUndo();

    // Throws a HostError when the document cannot be saved aside; the run
    // must not start then.
    void remember(OpenDocument& document);
    bool canUndo() const { return mSnapshot != nullptr; }
    // Loads the remembered state back into the document's library instance;
    // throws a HostError when it cannot be read back.
    void undo(OpenDocument& document, const QString& password);
    void forget();

private:
    std::unique_ptr<QTemporaryFile> mSnapshot;
};
