// The `EditBox`: a Windows edit control with input modes, rewriting on focus loss,
// vertical centring of a single line, and optional spin arrows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/edit_box_spin_win.h"
#include "ui/controls/edit_input.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

DWORD EditStyles(const EditBoxProperties& p) {
    DWORD style = 0;
    if (p.hideSelection == 0)
        style |= ES_NOHIDESEL;
    if (p.multiline == 1) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (p.scrollBars == 1 || p.scrollBars == 3)
            style |= ES_AUTOHSCROLL | WS_HSCROLL;
        if (p.scrollBars == 2 || p.scrollBars == 3)
            style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (p.align == 1)
        style |= ES_CENTER;
    if (p.align == 2)
        style |= ES_RIGHT;
    if (p.inputMode == kInputReadOnly)
        style |= ES_READONLY;
    if (p.inputMode == kInputPassword)
        style |= ES_PASSWORD;
    if (p.caseConversion == 1)
        style |= ES_UPPERCASE;
    if (p.caseConversion == 2)
        style |= ES_LOWERCASE;
    return style;
}

// The character a GBK byte stands for; a lone lead byte stands for nothing.
wchar_t PasswordCharacter(uint16_t stored) {
    const char byte = static_cast<char>(stored & 0xFF);
    if (byte == 0)
        return 0;
    wchar_t wide = 0;
    if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1)
        return L'*';
    return wide;
}

int TextHeight(HWND hwnd, HFONT font, const wchar_t* text) {
    WindowDc dc(hwnd);
    DcSelect select(dc.get(), font);
    SIZE size = {};
    GetTextExtentPoint32W(dc.get(), text, lstrlenW(text), &size);
    return size.cy;
}

class EditBoxControl : public Control {
  public:
    EditBoxControl(const CreateParams& p, EditBoxProperties props)
        : Control(p.windowId, p.unitId), props_(std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        EditBoxProperties props;
        if (kEditBoxLayout.Decode(p.ownData, p.ownSize, props) != OwnDataError::kNone)
            return nullptr;
        ClampOwnFields(kEditBoxLayout, props);
        auto box = std::make_unique<EditBoxControl>(p, std::move(props));
        return box->Build(p) ? std::move(box) : nullptr;
    }

    bool WantsKey(int keyCode) const override {
        return keyCode == VK_RETURN && props_.multiline == 1 && props_.inputMode != kInputReadOnly;
    }

    bool ReadOwnProperty(int number, RawValue& out) override;
    WriteOutcome WriteOwnProperty(int number, const RawValue& value) override;
    std::string SaveOwnProperties() const override { return kEditBoxLayout.Encode(props_); }
    void ScaleChanged() override {
        ApplyFont();
        spin_.FollowBox();
        RedrawFrame(hwnd());
    }
    bool HandleNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Build(const CreateParams& p);
    WriteOutcome WriteParticular(int index, const RawValue& value);
    bool SingleLine() const { return props_.multiline != 1; }
    void ApplyFont();
    void WriteContent(const std::string& text);
    void ReplaceText(const std::string& text);
    void RewriteOnFocusLoss();
    void Spin(bool up);
    void SetSelection(int start, int end);
    LRESULT CalcSize(WPARAM wParam, LPARAM lParam);
    void PaintStrips();
    bool InStrips(POINT screen) const;

    EditBoxProperties props_;  // Content: as last created, written or read
    UniqueGdi<HBRUSH> background_;
    UniqueGdi<HFONT> font_;
    EditBoxSpin spin_;
    bool settingContent_ = false;
    // The strips above and below a centred single line, in pixels.
    int stripAbove_ = 0;
    int stripBelow_ = 0;
};

bool EditBoxControl::Build(const CreateParams& p) {
    const DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | (p.extraStyles & ~WS_VISIBLE) | EditStyles(props_);
    HWND h = CreateWindowExW(0, L"EDIT", WideFromGbk(props_.content).c_str(), style, p.left, p.top,
                             p.width, p.height, p.parent, ControlIdMenu(p.controlId),
                             GetModuleHandleW(nullptr), nullptr);
    if (!h)
        return false;
    Subclass(h);
    background_.reset(CreateSolidBrush(PaintColour(props_.backColor)));
    ApplyFont();
    SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(props_.maxLength), 0);
    if (props_.inputMode == kInputPassword)
        SendMessageW(h, EM_SETPASSWORDCHAR, PasswordCharacter(props_.passwordChar), 0);
    if (SingleLine() && props_.spinMode != kSpinNone &&
        spin_.Create(h, props_.border, props_.spinMin, props_.spinMax)) {
        AttachSecondaryWindow(spin_.hwnd());
    }
    SetSelection(props_.selStart, props_.selStart + props_.selLength);
    // The centring takes effect with a new frame, whether the border changed or not.
    if (!ApplyBorderStyles(h, props_.border))
        RedrawFrame(h);
    return true;
}

// The font, and for a single line the least height: "无" plus both edges.
void EditBoxControl::ApplyFont() {
    SetControlFont(hwnd(), font_, props_.font);
    HFONT font = FontOrDefault(font_);
    if (!SingleLine())
        return;
    const int least = TextHeight(hwnd(), font, L"无") + 2 * GetSystemMetrics(SM_CYEDGE);
    RECT r;
    GetWindowRect(hwnd(), &r);
    if (r.bottom - r.top < least) {
        SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, least,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void EditBoxControl::SetSelection(int start, int end) {
    SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
}

// The text becomes the window text without a change event of its own; then the box
// tells itself of exactly one change.
void EditBoxControl::WriteContent(const std::string& text) {
    props_.content = text;
    settingContent_ = true;
    SetWindowTextGbk(hwnd(), text);
    settingContent_ = false;
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(hwnd()));
}

// A text the box puts in itself: content changed is raised once, by the box, as
// Windows sends EN_CHANGE for a set text to a single-line box but not to a
// multi-line one.
void EditBoxControl::ReplaceText(const std::string& text) {
    settingContent_ = true;
    SetWindowTextGbk(hwnd(), text);
    settingContent_ = false;
    RaiseEvent(windowId(), unitId(), kEventContentChanged);
}

void EditBoxControl::RewriteOnFocusLoss() {
    const std::string text = WindowTextGbk(hwnd());
    const std::optional<std::string> rewritten = RewriteForInputMode(props_.inputMode, text);
    if (!rewritten || *rewritten == text)
        return;
    DWORD start = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    ReplaceText(*rewritten);
    if (hwnd())
        SetSelection(static_cast<int>(start), static_cast<int>(start));
}

void EditBoxControl::Spin(bool up) {
    if (!IsWindowEnabled(hwnd()) || !IsWindowVisible(hwnd()))
        return;
    if (props_.spinMode == kSpinEvent) {
        TypedValue arg = MakeInteger(up ? 1 : -1);
        RaiseEvent(windowId(), unitId(), kEventSpinPressed, 1, &arg);
        return;
    }
    int32_t lowest = 0, highest = 0;
    spin_.GetRange(lowest, highest);
    const int32_t n = SpinStep(WindowTextGbk(hwnd()), lowest, highest, up);
    ReplaceText(std::to_string(n));
    if (!hwnd())
        return;
    SetSelection(0, -1);
    SetFocus(hwnd());
}

bool EditBoxControl::HandleNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, PaintColour(props_.textColor));
        SetBkColor(dc, PaintColour(props_.backColor));
        result = reinterpret_cast<LRESULT>(background_.get());
        return true;
    }
    if (msg == WM_NOTIFY) {
        const auto* n = reinterpret_cast<const NMUPDOWN*>(lParam);
        if (n->hdr.hwndFrom != spin_.hwnd() || n->hdr.code != static_cast<UINT>(UDN_DELTAPOS))
            return false;
        if (n->iDelta != 0)
            Spin(n->iDelta > 0);
        // The up-down control's own position plays no part: it stays in the middle of
        // the range, so that neither arrow ever meets an end (where the control would
        // change or drop the direction it reports).
        spin_.Recentre();
        result = 1;
        return true;
    }
    if (msg != WM_COMMAND)
        return false;
    switch (HIWORD(wParam)) {
        case EN_CHANGE:
            if (!settingContent_)
                RaiseEvent(windowId(), unitId(), kEventContentChanged);
            break;
        case EN_SETFOCUS:
            RaiseEvent(windowId(), unitId(), kEventFocusReceived);
            break;
        case EN_KILLFOCUS:
            RewriteOnFocusLoss();
            if (hwnd())
                RaiseEvent(windowId(), unitId(), kEventFocusLost);
            break;
        default:
            break;
    }
    result = 0;
    return true;
}

LRESULT EditBoxControl::CalcSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultProcessing(WM_NCCALCSIZE, wParam, lParam);
    RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(lParam);
    stripAbove_ = stripBelow_ = 0;
    if (!SingleLine() || !client)
        return result;
    const int height = client->bottom - client->top;
    const int line = TextHeight(hwnd(), FontOrDefault(font_), L"W");
    if (height <= line)
        return result;
    stripAbove_ = (height - line) / 2;
    stripBelow_ = height - line - stripAbove_;
    client->top += stripAbove_;
    client->bottom = client->top + line;
    return result;
}

// The client area in window coordinates, as it was before the centring.
void EditBoxControl::PaintStrips() {
    if (stripAbove_ == 0 && stripBelow_ == 0)
        return;
    RECT client;
    GetClientRect(hwnd(), &client);
    MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    RECT window;
    GetWindowRect(hwnd(), &window);
    OffsetRect(&client, -window.left, -window.top);
    const WindowDc dc(hwnd(), WindowDc::kWholeWindow);
    RECT above = {client.left, client.top - stripAbove_, client.right, client.top};
    RECT below = {client.left, client.bottom, client.right, client.bottom + stripBelow_};
    FillRect(dc.get(), &above, background_.get());
    FillRect(dc.get(), &below, background_.get());
}

bool EditBoxControl::InStrips(POINT screen) const {
    RECT client;
    GetClientRect(hwnd(), &client);
    MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    if (screen.x < client.left || screen.x >= client.right)
        return false;
    return (screen.y >= client.top - stripAbove_ && screen.y < client.top) ||
           (screen.y >= client.bottom && screen.y < client.bottom + stripBelow_);
}

LRESULT EditBoxControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CHAR:
            if (!AcceptsTypedCharacter(props_.inputMode, static_cast<uint32_t>(wParam)))
                return 0;
            break;
        case WM_COMMAND:
            // The one change notification a content write sends the box itself.
            if (reinterpret_cast<HWND>(lParam) == hwnd() && HIWORD(wParam) == EN_CHANGE) {
                RaiseEvent(windowId(), unitId(), kEventContentChanged);
                return 0;
            }
            break;
        case WM_NCCALCSIZE:
            return CalcSize(wParam, lParam);
        case WM_NCPAINT: {
            const LRESULT result = DefaultProcessing(msg, wParam, lParam);
            PaintStrips();
            return result;
        }
        case WM_NCHITTEST: {
            const POINT pt = {static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam))};
            if (InStrips(pt))
                return HTBORDER;
            break;
        }
        case WM_SHOWWINDOW: {
            // A child of a window not shown yet gets no position change with it.
            const LRESULT result = DefaultProcessing(msg, wParam, lParam);
            spin_.FollowBox(wParam != 0);
            return result;
        }
        case WM_WINDOWPOSCHANGED:
        case WM_ENABLE: {
            const LRESULT result = DefaultProcessing(msg, wParam, lParam);
            spin_.FollowBox();
            return result;
        }
        case WM_DESTROY:
            DetachSecondaryWindow(spin_.hwnd());
            spin_.Destroy();
            break;
        default:
            break;
    }
    return DefaultProcessing(msg, wParam, lParam);
}

bool EditBoxControl::ReadOwnProperty(int number, RawValue& out) {
    switch (number + kFirstOwnPropertyIndex) {
        case kEditBoxContent:
            props_.content = WindowTextGbk(hwnd());
            out.bytes = props_.content;
            return true;
        case kEditBoxSelStart:
        case kEditBoxSelLength:
        case kEditBoxSelText: {
            DWORD start = 0, end = 0;
            SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            if (number + kFirstOwnPropertyIndex == kEditBoxSelStart) {
                out.number = start;
            } else if (number + kFirstOwnPropertyIndex == kEditBoxSelLength) {
                out.number = end - start;
            } else {
                // Positions count characters of the window text.
                const std::wstring text = WideFromGbk(WindowTextGbk(hwnd()));
                start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
                end = std::min<DWORD>(std::max(end, start), static_cast<DWORD>(text.size()));
                out.bytes = GbkFromWide(text.substr(start, end - start));
            }
            return true;
        }
        case kEditBoxPasswordChar:
            out.bytes.clear();
            if (props_.passwordChar & 0xFF)
                out.bytes = std::string(1, static_cast<char>(props_.passwordChar & 0xFF));
            return true;
        default:
            return ReadOwnField(kEditBoxLayout, props_, number, out);
    }
}

// Content, PasswordChar and the selection are written by code of their own; the
// rest through the table.
WriteOutcome EditBoxControl::WriteParticular(int index, const RawValue& value) {
    const int32_t v = static_cast<int32_t>(value.number);
    switch (index) {
        case kEditBoxContent:
            WriteContent(value.bytes);
            return WriteOutcome::kStored;
        case kEditBoxPasswordChar:
            props_.passwordChar =
                value.bytes.empty() ? 0 : static_cast<unsigned char>(value.bytes[0]);
            if (props_.inputMode == kInputPassword)
                SendMessageW(hwnd(), EM_SETPASSWORDCHAR, PasswordCharacter(props_.passwordChar), 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            return WriteOutcome::kStored;
        case kEditBoxSelStart: {
            const int length = GetWindowTextLengthW(hwnd());
            if (v == -1) {
                props_.selStart = length;
                props_.selLength = 0;
            } else {
                props_.selStart = std::max(v, 0);
            }
            SetSelection(props_.selStart, props_.selStart + props_.selLength);
            return WriteOutcome::kStored;
        }
        case kEditBoxSelLength: {
            DWORD start = 0;
            SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
            if (v == -1) {
                props_.selStart = 0;
                props_.selLength = GetWindowTextLengthW(hwnd());
                SetSelection(0, -1);
            } else {
                props_.selStart = static_cast<int32_t>(start);
                props_.selLength = std::max(v, 0);
                SetSelection(props_.selStart, props_.selStart + props_.selLength);
            }
            return WriteOutcome::kStored;
        }
        default:  // SelText
            SendMessageW(hwnd(), EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(WideFromGbk(value.bytes).c_str()));
            return WriteOutcome::kStored;
    }
}

WriteOutcome EditBoxControl::WriteOwnProperty(int number, const RawValue& value) {
    const int index = number + kFirstOwnPropertyIndex;
    if (index == kEditBoxContent || index == kEditBoxPasswordChar || index == kEditBoxSelStart ||
        index == kEditBoxSelLength || index == kEditBoxSelText)
        return WriteParticular(index, value);
    RawValue before;
    ReadOwnField(kEditBoxLayout, props_, number, before);
    const OwnField<EditBoxProperties>* field = StoreOwnField(kEditBoxLayout, props_, number, value);
    if (!field)
        return WriteOutcome::kStored;
    switch (static_cast<EditBoxWrite>(field->step)) {
        case EditBoxWrite::kStoreOnly:
            return WriteOutcome::kStored;
        case EditBoxWrite::kRepaint:
            break;
        case EditBoxWrite::kBorder:
            ApplyBorderStyles(hwnd(), props_.border);
            spin_.SetEdge(props_.border);
            return WriteOutcome::kStored;
        case EditBoxWrite::kBackColor:
            background_.reset(CreateSolidBrush(PaintColour(props_.backColor)));
            RedrawFrame(hwnd());
            InvalidateRect(hwnd(), nullptr, TRUE);
            return WriteOutcome::kStored;
        case EditBoxWrite::kFont:
            ApplyFont();
            RedrawFrame(hwnd());
            InvalidateRect(hwnd(), nullptr, TRUE);
            return WriteOutcome::kStored;
        case EditBoxWrite::kMaxLength:
            SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(props_.maxLength), 0);
            return WriteOutcome::kStored;
        case EditBoxWrite::kRecreateIfChanged:
            return props_.*field->i32 == static_cast<int32_t>(before.number)
                       ? WriteOutcome::kStored
                       : WriteOutcome::kRecreate;
        case EditBoxWrite::kInputMode:
            SendMessageW(
                hwnd(), EM_SETPASSWORDCHAR,
                props_.inputMode == kInputPassword ? PasswordCharacter(props_.passwordChar) : 0, 0);
            SendMessageW(hwnd(), EM_SETREADONLY, props_.inputMode == kInputReadOnly, 0);
            break;
        case EditBoxWrite::kSpinRange:
            spin_.SetRange(props_.spinMin, props_.spinMax);
            return WriteOutcome::kStored;
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
    return WriteOutcome::kStored;
}

}  // namespace

const ControlType kEditBoxControlType{"EditBox", kTypeWindowedUnit | kTypeTakesFocus,
                                      OwnKindsByNumber(kEditBoxPropertyTable),
                                      EditBoxControl::Create};

}  // namespace velmora
