#pragma once

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <QObject>
#include <functional>

namespace markwright {

// Fills a new Scintilla document away from the pane: through a view of its
// own that is never shown, a slice at a time, each from the event loop (no
// loop is run from inside), so the window goes on painting while a large
// page goes in. The pane adopts the document whole once it is complete.
class DocumentLoader : public QObject {
    Q_OBJECT

  public:
    explicit DocumentLoader(QObject* parent);
    ~DocumentLoader() override;

    // Puts `utf8` into a new document; `done` gets the document, with one
    // reference that passes to it. A fill still under way is dropped.
    void fill(QByteArray utf8, std::function<void(void* document)> done);

  private:
    void nextSlice();
    void drop();

    QsciScintillaBase m_view;
    void* m_document = nullptr;
    QByteArray m_bytes;
    qsizetype m_filled = 0;
    std::function<void(void*)> m_done;
    int m_run = 0;
};

} // namespace markwright
