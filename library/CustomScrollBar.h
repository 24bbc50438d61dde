#pragma once

#include <QScrollBar>

// The file list's slim vertical scroll bar.
class CustomScrollBar final : public QScrollBar
{
    Q_OBJECT
public:
    explicit CustomScrollBar(QWidget *parent = nullptr);
    ~CustomScrollBar() override;
};
