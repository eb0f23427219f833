#pragma once

#include "frames/FrmFrames.h"

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace markwright {

class DocumentController;
class SourcePane;
class FileCommands;

class Prompts;

// "Insert Frames": offers to save a changed page, shows the preview across
// the window and opens the wizard; each layout picked replaces the page.
class FramesCommand {
  public:
    FramesCommand(DocumentController& controller, SourcePane& pane, Prompts& prompts,
                  FileCommands& files, QString programFolder);

    void run();
    // Replaces the whole text with the page of the layout `button`.
    void choose(const QString& button);
    // The open wizard, if any.
    FrmFrames* wizard() const { return m_wizard; }

    static const char* const QuestionText;

  private:
    DocumentController& m_controller;
    SourcePane& m_pane;
    Prompts& m_prompts;
    FileCommands& m_files;
    QString m_programFolder;
    QPointer<FrmFrames> m_wizard;
};

} // namespace markwright
