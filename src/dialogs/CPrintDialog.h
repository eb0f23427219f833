#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace markwright {

class Prompts;

// The print dialog wrapper: properties in, one Show, chosen values out.
class CPrintDialog {
  public:
    // Option bits understood by Show; others pass through unused.
    static constexpr std::int32_t NoSelection = 0x4;
    static constexpr std::int32_t NoPageNumbers = 0x8;
    static constexpr std::int32_t ReturnDeviceContext = 0x100;
    static constexpr std::int32_t UseDeviceCopies = 0x40000;
    static constexpr std::int32_t DisablePrintToFile = 0x80000;

    explicit CPrintDialog(Prompts& prompts) : m_prompts(prompts) {}

    std::int16_t copies() const { return m_copies; }
    void setCopies(std::int16_t intValue) { m_copies = intValue; }
    std::int32_t flags() const { return m_flags; }
    void setFlags(std::int32_t eValue) { m_flags = eValue; }
    std::int16_t fromPage() const { return m_fromPage; }
    void setFromPage(std::int16_t intValue) { m_fromPage = intValue; }
    // The device context the dialog hands back; nothing in this toolkit
    // uses one, so it stays 0.
    std::intptr_t hdc() const { return m_hdc; }
    // The window the dialog belongs to (null: the application's).
    QWidget* hWndParent() const { return m_hWndParent; }
    void setHWndParent(QWidget* lngValue) { m_hWndParent = lngValue; }
    std::int16_t max() const { return m_max; }
    void setMax(std::int16_t intValue) { m_max = intValue; }
    std::int16_t min() const { return m_min; }
    void setMin(std::int16_t intValue) { m_min = intValue; }
    std::int16_t toPage() const { return m_toPage; }
    void setToPage(std::int16_t intValue) { m_toPage = intValue; }

    // True when the user confirmed; the pages and copies then hold what the
    // dialog handed back. False leaves every member as it was.
    bool Show();

    // What the user chose to print on: a printer, or a file (empty: the
    // default printer).
    QString printerName() const { return m_printerName; }
    QString outputFileName() const { return m_outputFileName; }

  private:
    Prompts& m_prompts;
    std::int16_t m_copies = 0;
    std::int16_t m_fromPage = 0;
    std::intptr_t m_hdc = 0;
    std::int16_t m_max = 9999;
    std::int16_t m_min = 1;
    std::int16_t m_toPage = 0;
    std::int32_t m_flags = 0;
    QWidget* m_hWndParent = nullptr;
    QString m_printerName;
    QString m_outputFileName;
};

} // namespace markwright
