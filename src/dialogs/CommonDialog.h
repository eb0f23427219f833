#pragma once

#include <QString>
#include <QStringList>

namespace markwright {

class Prompts;

// The main window's one common dialog, shared by the colour, link, image,
// file-path and browser-locating commands. It keeps its filter, title, colour
// and last file between uses, so a command that sets no filter shows the one
// the previous command set.
class CommonDialog {
  public:
    explicit CommonDialog(Prompts& prompts) : m_prompts(prompts) {}

    // Filter in the "description|patterns|description|patterns" form.
    QString filter;
    QString dialogTitle;
    // 0x00BBGGRR: red in the lowest byte. Black before the first choice.
    int color = 0;
    // Full path of the last file chosen, and its name without the folder;
    // the name is empty when the last dialog was cancelled.
    QString fileName;
    QString fileTitle;

    // Shows the open-file dialog. On Cancel fileTitle becomes empty and
    // fileName keeps the last choice.
    void showOpen();
    // Shows the colour dialog; Cancel keeps the last colour.
    // True when a colour was chosen; Cancel keeps the last one.
    bool showColor();

  private:
    Prompts& m_prompts;
};

} // namespace markwright
