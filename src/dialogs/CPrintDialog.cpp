#include "dialogs/CPrintDialog.h"

#include "dialogs/Prompts.h"

namespace markwright {

bool CPrintDialog::Show() {
    Prompts::PrintRequest request;
    request.allowSelection = !(m_flags & NoSelection);
    request.allowPageRange = !(m_flags & NoPageNumbers);
    request.allowPrintToFile = !(m_flags & DisablePrintToFile);
    request.parent = m_hWndParent;
    request.fromPage = m_fromPage;
    request.toPage = m_toPage;
    request.minPage = m_min;
    request.maxPage = m_max;
    request.copies = m_copies;
    if (!m_prompts.printDialog(request)) {
        return false;
    }
    m_fromPage = static_cast<std::int16_t>(request.fromPage);
    m_toPage = static_cast<std::int16_t>(request.toPage);
    m_copies = static_cast<std::int16_t>(request.copies);
    m_printerName = request.printerName;
    m_outputFileName = request.outputFile;
    return true;
}

} // namespace markwright
