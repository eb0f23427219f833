#pragma once

#include "frames/FrmFrames.h"

#include <QPointer>
#include <QString>
#include <functional>

class DocumentHost;
class FileCommands;

class Prompts;
class QWidget;

// "Insert Frames": offers to save a changed page, shows the preview across
// the window and opens the wizard; each layout picked replaces the page.
class FramesCommand {
  public:
    struct Window {
        std::function<void()> previewOnly; // the preview-only layout
        std::function<void()> recentre;    // start the re-centring timer
        QWidget* parent = nullptr;
    };
    FramesCommand(DocumentHost& host, Prompts& prompts, FileCommands& files, Window window,
                  QString programFolder);

    void run();
    // Replaces the whole text with the page of the layout `button`.
    void choose(const QString& button);
    // The open wizard, if any.
    FrmFrames* wizard() const { return m_wizard; }

    static const char* const QuestionText;

  private:
    DocumentHost& m_host;
    Prompts& m_prompts;
    FileCommands& m_files;
    Window m_window;
    QString m_programFolder;
    QPointer<FrmFrames> m_wizard;
};
