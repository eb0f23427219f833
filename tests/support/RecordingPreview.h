#pragma once

#include "preview/PreviewPane.h"

#include "support/ProjectNames.h"
#include <QStringList>
#include <QWidget>

// A preview double that records what it was asked to do.
class RecordingPreview : public QWidget, public PreviewPane {
  public:
    explicit RecordingPreview(QWidget* parent = nullptr) : QWidget(parent) {}

    QWidget* widget() override { return this; }
    void navigate(const QString& localPath) override { navigations.append(localPath); }
    void back() override { ++backs; }
    void forward() override { ++forwards; }
    void setDefaultEncoding(const QString& name) override { encodings.append(name); }
    void showNotice(const QString& text) override { notices.append(text); }

    QStringList navigations;
    QStringList encodings; // the default encodings it was told, in order
    QStringList notices;   // the notices it was told to show ("": none), in order
    int backs = 0;
    int forwards = 0;
};
