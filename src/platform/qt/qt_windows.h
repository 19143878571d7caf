#pragma once
// Makes the control model real: one QWidget per loaded form, synchronised with the
// model after every call into behaviour code, painting the controls in z-order, a
// real QLineEdit per text box (so input methods work), and mouse and keyboard input
// routed to the handlers the behaviour code registered.
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "ui/window_system.h"

namespace platform {

class FormWidget;

class QtWindows {
  public:
    explicit QtWindows(ui::WindowSystem& ws);
    ~QtWindows();
    // Brings every native window in line with the model and repaints.
    void sync();
    FormWidget* widget(const std::string& formName);
    // DRAVIK_SNAPSHOT: writes each visible form as <dir>/<form>.png every 2 s.
    void startSnapshots(const std::string& dir);

  private:
    ui::WindowSystem& ws_;
    std::map<ui::Form*, std::unique_ptr<FormWidget>> widgets_;
    QTimer snapshotTimer_;
    std::string snapshotDir_;
};

class FormWidget : public QWidget {
  public:
    explicit FormWidget(ui::Form& form);
    void sync();
    ui::Form& form() { return form_; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void syncTextBoxes();
    void mouse(ui::EventKind kind, QMouseEvent* e);
    // Key handling shared by the form and its text boxes: the form sees keys first.
    bool key(ui::EventKind kind, QKeyEvent* e, ui::Control* target);

    ui::Form& form_;
    ui::Control* captured_ = nullptr;
    bool formCaptured_ = false;
    std::map<ui::Control*, QLineEdit*> edits_;
    bool syncing_ = false;
};

}  // namespace platform
