#include "platform/qt/qt_windows.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>
#include <QWindow>

#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_render.h"

namespace platform {

QtWindows::QtWindows(ui::WindowSystem& ws) : ws_(ws) {
    installFonts();
    ws_.onLoaded = [this](ui::Form& f) {
        if (!widgets_.count(&f)) widgets_[&f] = std::make_unique<FormWidget>(f);
    };
    ws_.onUnloaded = [this](ui::Form& f) {
        auto it = widgets_.find(&f);
        if (it == widgets_.end()) return;
        it->second->hide();
        it->second.release()->deleteLater();
        widgets_.erase(it);
    };
    QtEventLoop::afterCallback = [this] { sync(); };
    QObject::connect(&snapshotTimer_, &QTimer::timeout, [this] {
        for (ui::Form* f : ws_.forms())
            if (f->loaded() && f->visible) saveFormPng(*f, snapshotDir_ + "/" + f->name() + ".png");
    });
}

QtWindows::~QtWindows() {
    QtEventLoop::afterCallback = nullptr;
    ws_.onLoaded = nullptr;
    ws_.onUnloaded = nullptr;
}

void QtWindows::sync() {
    for (auto& [form, w] : widgets_) w->sync();
}

FormWidget* QtWindows::widget(const std::string& formName) {
    for (auto& [form, w] : widgets_)
        if (form->name() == formName) return w.get();
    return nullptr;
}

void QtWindows::startSnapshots(const std::string& dir) {
    snapshotDir_ = dir;
    QDir().mkpath(QString::fromStdString(dir));
    snapshotTimer_.start(2000);
}

FormWidget::FormWidget(ui::Form& form) : form_(form) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    sync();
}

void FormWidget::sync() {
    syncing_ = true;
    Qt::WindowFlags flags = form_.framed ? Qt::Window : (Qt::Window | Qt::FramelessWindowHint);
    if (form_.topmost) flags |= Qt::WindowStaysOnTopHint;
    // A window that must not take the keyboard (a speech bubble) is a tool window
    // shown without being activated.
    if (!form_.acceptsFocus) flags |= Qt::Tool | Qt::WindowDoesNotAcceptFocus;
    setAttribute(Qt::WA_ShowWithoutActivating, !form_.acceptsFocus);
    if (windowFlags() != flags) setWindowFlags(flags);
    QString title = QString::fromStdString(form_.caption);
    if (windowTitle() != title) setWindowTitle(title);
    QRect geo(form_.left / ui::kTwipsPerPixel, form_.top / ui::kTwipsPerPixel,
              std::max(1, form_.pixelWidth()), std::max(1, form_.pixelHeight()));
    if (geometry() != geo) setGeometry(geo);
    double opacity = form_.opacity / 255.0;
    if (std::abs(windowOpacity() - opacity) > 0.002) setWindowOpacity(opacity);
    QRegion region;
    for (const ui::Rect& r : form_.region) region += QRect(r.left, r.top, r.width, r.height);
    if (mask() != region) {
        if (form_.region.empty())
            clearMask();
        else
            setMask(region);
    }
    bool wantVisible = form_.loaded() && form_.visible;
    if (wantVisible) {
        Qt::WindowStates st = form_.windowState == ui::WindowState::kMinimized ? Qt::WindowMinimized
                              : form_.windowState == ui::WindowState::kMaximized
                                  ? Qt::WindowMaximized
                                  : Qt::WindowNoState;
        if (!isVisible()) show();
        if (windowState() != st) setWindowState(st);
    } else if (isVisible()) {
        hide();
    }
    syncTextBoxes();
    if (form_.systemMove) {
        // The window system takes the mouse for the move; the press it started
        // with never gets its release here.
        form_.systemMove = false;
        captured_ = nullptr;
        formCaptured_ = false;
        if (isVisible() && windowHandle()) windowHandle()->startSystemMove();
    }
    syncing_ = false;
    update();
}

void FormWidget::syncTextBoxes() {
    std::vector<ui::Control*> stack(form_.topLevel().begin(), form_.topLevel().end());
    while (!stack.empty()) {
        ui::Control* c = stack.back();
        stack.pop_back();
        for (ui::Control* child : c->children) stack.push_back(child);
        if (c->kind != ui::ControlKind::kTextBox) continue;
        QLineEdit*& edit = edits_[c];
        if (!edit) {
            edit = new QLineEdit(this);
            edit->setFrame(false);
            edit->installEventFilter(this);
            QObject::connect(edit, &QLineEdit::textEdited, [this, c, edit](const QString& t) {
                if (syncing_) return;
                QtEventLoop::guard([&] {
                    c->caption = t.toStdString();
                    c->selStart = edit->cursorPosition();
                    c->selLength = 0;
                    form_.fire(c, ui::EventKind::kChange);
                });
            });
        }
        double x, y;
        form_.absolutePosition(*c, x, y);
        QRect geo(static_cast<int>(x), static_cast<int>(y), static_cast<int>(c->width),
                  static_cast<int>(c->height));
        if (edit->geometry() != geo) edit->setGeometry(geo);
        edit->setFont(toQFont(c->font));
        QString text = QString::fromStdString(c->caption);
        if (edit->text() != text) edit->setText(text);
        if (c->maxLength > 0) edit->setMaxLength(c->maxLength);
        int len = static_cast<int>(text.size());
        int start = std::clamp(c->selStart, 0, len);
        int selLen = std::clamp(c->selLength, 0, len - start);
        if (selLen > 0)
            edit->setSelection(start, selLen);
        else if (edit->cursorPosition() != start)
            edit->setCursorPosition(start);
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Text, QColor::fromRgb(c->foreColor));
        pal.setColor(QPalette::Base, QColor::fromRgb(c->backColor));
        edit->setPalette(pal);
        edit->setEnabled(c->enabled);
        bool vis = form_.effectivelyVisible(*c);
        if (edit->isVisible() != vis) edit->setVisible(vis);
        if (form_.focus == c && !edit->hasFocus() && isActiveWindow()) edit->setFocus();
    }
}

void FormWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintForm(p, form_, false);
}

namespace {

int buttonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return ui::kLeftButton;
        case Qt::RightButton:
            return ui::kRightButton;
        case Qt::MiddleButton:
            return ui::kMiddleButton;
        default:
            return 0;
    }
}

int buttonsOf(Qt::MouseButtons b) {
    int out = 0;
    if (b & Qt::LeftButton) out |= ui::kLeftButton;
    if (b & Qt::RightButton) out |= ui::kRightButton;
    if (b & Qt::MiddleButton) out |= ui::kMiddleButton;
    return out;
}

int shiftOf(Qt::KeyboardModifiers m) {
    int out = 0;
    if (m & Qt::ShiftModifier) out |= ui::kShiftMask;
    if (m & Qt::ControlModifier) out |= ui::kCtrlMask;
    if (m & Qt::AltModifier) out |= ui::kAltMask;
    return out;
}

// The window system's virtual key code of a Qt key.
int keyCodeOf(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return ui::VK_F1 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return ui::VK_BACK;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ui::VK_RETURN;
        case Qt::Key_Escape:
            return ui::VK_ESCAPE;
        case Qt::Key_Space:
            return ui::VK_SPACE;
        case Qt::Key_Left:
            return ui::VK_LEFT;
        case Qt::Key_Up:
            return ui::VK_UP;
        case Qt::Key_Right:
            return ui::VK_RIGHT;
        case Qt::Key_Down:
            return ui::VK_DOWN;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        default:
            return 0;
    }
}

}  // namespace

void FormWidget::mouse(ui::EventKind kind, QMouseEvent* e) {
    QPointF pos = e->position();
    ui::Control* target = nullptr;
    bool toForm = false;
    if ((kind == ui::EventKind::kMouseMove || kind == ui::EventKind::kMouseUp) &&
        (captured_ || formCaptured_)) {
        target = captured_;  // the pressed control keeps the mouse until release
        toForm = formCaptured_;
    } else {
        target = form_.hitTest(pos.x(), pos.y());
        toForm = !target;
    }
    ui::Event ev;
    ev.kind = kind;
    ev.button = kind == ui::EventKind::kMouseMove ? buttonsOf(e->buttons()) : buttonOf(e->button());
    ev.shift = shiftOf(e->modifiers());
    ev.x = pos.x();
    ev.y = pos.y();
    if (target) form_.toControl(*target, ev.x, ev.y);
    ui::Control* pressed = captured_;
    bool pressedForm = formCaptured_;
    if (kind == ui::EventKind::kMouseDown) {
        captured_ = target;
        formCaptured_ = toForm;
    }
    QtEventLoop::guard([&] {
        if (target && !target->enabled) return;
        form_.fire(target, ev);
        if (kind == ui::EventKind::kMouseUp && e->button() == Qt::LeftButton) {
            // A click is a press and release of the left button on the same control.
            ui::Control* under = form_.hitTest(pos.x(), pos.y());
            if ((pressed && under == pressed) || (pressedForm && !under))
                form_.fire(pressed, ui::EventKind::kClick);
        }
    });
    if (kind == ui::EventKind::kMouseUp && e->buttons() == Qt::NoButton) {
        captured_ = nullptr;
        formCaptured_ = false;
    }
}

void FormWidget::mousePressEvent(QMouseEvent* e) { mouse(ui::EventKind::kMouseDown, e); }
void FormWidget::mouseReleaseEvent(QMouseEvent* e) { mouse(ui::EventKind::kMouseUp, e); }
void FormWidget::mouseMoveEvent(QMouseEvent* e) { mouse(ui::EventKind::kMouseMove, e); }

void FormWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    mouse(ui::EventKind::kMouseDown, e);
    ui::Control* target = form_.hitTest(e->position().x(), e->position().y());
    QtEventLoop::guard([&] {
        if (target && target->kind == ui::ControlKind::kListBox) {
            double x = e->position().x(), y = e->position().y();
            form_.toControl(*target, x, y);
            const int height = listRowHeight(*target);
            int row = ui::firstShownItem(*target, height) + static_cast<int>(y) / height;
            if (row < 0 || row >= static_cast<int>(target->items.size())) return;
            target->listIndex = row;
        }
        form_.fire(target, ui::EventKind::kDblClick);
    });
}

// A window the user dragged keeps its new place in the model, so the next sync
// does not put it back.
void FormWidget::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (syncing_ || !isVisible()) return;
    form_.left = geometry().x() * ui::kTwipsPerPixel;
    form_.top = geometry().y() * ui::kTwipsPerPixel;
}

void FormWidget::wheelEvent(QWheelEvent* e) {
    ui::Control* target = form_.hitTest(e->position().x(), e->position().y());
    if (!target || target->kind != ui::ControlKind::kListBox) return;
    const int row = listRowHeight(*target);
    int rows = std::max(1, static_cast<int>(target->height) / row);
    int maxTop = std::max(0, static_cast<int>(target->items.size()) - rows);
    int step = e->angleDelta().y() > 0 ? -3 : 3;
    target->topIndex = std::clamp(ui::firstShownItem(*target, row) + step, 0, maxTop);
    update();
}

bool FormWidget::key(ui::EventKind kind, QKeyEvent* e, ui::Control* target) {
    bool swallowed = false;
    QtEventLoop::guard([&] {
        ui::Event ev;
        ev.kind = kind;
        ev.shift = shiftOf(e->modifiers());
        ev.keyCode = keyCodeOf(e->key());
        form_.fire(nullptr, ev);  // the form sees every key first
        if (target && ev.keyCode) form_.fire(target, ev);
        if (kind != ui::EventKind::kKeyDown) return;
        QString text = e->text();
        if (text.isEmpty() || !text.at(0).isPrint()) {
            if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
                text = "\r";
            else
                return;
        }
        ui::Event press;
        press.kind = ui::EventKind::kKeyPress;
        press.keyAscii = text.at(0).unicode();
        form_.fire(nullptr, press);
        if (press.keyAscii && target) form_.fire(target, press);
        swallowed = press.keyAscii == 0;
    });
    return swallowed;
}

void FormWidget::keyPressEvent(QKeyEvent* e) { key(ui::EventKind::kKeyDown, e, form_.focus); }
void FormWidget::keyReleaseEvent(QKeyEvent* e) { key(ui::EventKind::kKeyUp, e, form_.focus); }

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
        event->type() == QEvent::FocusIn) {
        ui::Control* target = nullptr;
        for (auto& [c, edit] : edits_)
            if (edit == watched) target = c;
        if (!target) return false;
        if (event->type() == QEvent::FocusIn) {
            QtEventLoop::guard([&] { form_.setFocus(target); });
            return false;
        }
        auto* ke = static_cast<QKeyEvent*>(event);
        return key(
            event->type() == QEvent::KeyPress ? ui::EventKind::kKeyDown : ui::EventKind::kKeyUp, ke,
            target);
    }
    return QWidget::eventFilter(watched, event);
}

void FormWidget::closeEvent(QCloseEvent* e) {
    e->ignore();  // the model decides: unloading the form closes the window
    QtEventLoop::guard([&] { form_.unload(); });
}

void FormWidget::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange && !syncing_) {
        ui::WindowState st = isMinimized()   ? ui::WindowState::kMinimized
                             : isMaximized() ? ui::WindowState::kMaximized
                                             : ui::WindowState::kNormal;
        if (st != form_.windowState) {
            QtEventLoop::guard([&] {
                form_.windowState = st;
                form_.fire(nullptr, ui::EventKind::kResize);
            });
        }
    }
    QWidget::changeEvent(e);
}

}  // namespace platform
