#include "dialogs/dpi_value_base.h"

#include "ui/edit_box.h"
#include "ui/gauges.h"
#include "ui/record_edit.h"

namespace gm::win {
namespace {

// The knob (18 wide) is centred on each stop of the slider.
constexpr int kKnobHalf = 9;

std::wstring DpiText(int dpi) { return std::to_wstring(dpi); }

}  // namespace

struct CDpiValueDlgBase::Axis {
  Axis(const DpiAxisSpec& s, const SensorTables& tables, int& position)
      : spec(s), edit(position), choice(tables, position) {}
  DpiAxisSpec spec;
  ui::RecordEdit<int> edit;
  DpiValueChoice choice;
  CEditArrowKeys arrows;
};

CDpiValueDlgBase::CDpiValueDlgBase(const ui::UiContext& context, HWND parent, const SensorTables& tables,
                                   std::span<const DpiAxisSpec> axes, std::span<int* const> positions)
    : CDlgBase(context, parent), tables_(tables) {
  for (std::size_t i = 0; i < axes.size() && i < positions.size(); ++i) {
    axes_.push_back(std::make_unique<Axis>(axes[i], tables, *positions[i]));
  }
  SetHandlersWith({});
}

CDpiValueDlgBase::~CDpiValueDlgBase() = default;

void CDpiValueDlgBase::SetHandlersWith(std::vector<EventHandler> more) {
  // The button ids are the same in every DPI value dialog.
  constexpr UINT kClose = 2004, kOk = 2010, kCancel = 2011;
  std::vector<EventHandler> rows = {{kOk, kEventClicked, [this] { Confirm(); }},
                                    {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
                                    {kClose, kEventClicked, [this] { Close(IDCANCEL); }}};
  for (int i = 0; i < static_cast<int>(axes_.size()); ++i) {
    const UINT slider = axes_[static_cast<std::size_t>(i)]->spec.slider;
    rows.push_back({slider, kEventPressed, [this, i] { SliderPressed(i); }});
    rows.push_back({slider, kEventValueChanged, [this, i] { FollowSlider(i); }});
    rows.push_back({slider, kEventClicked, [this, i] { FollowSlider(i); }});
  }
  for (EventHandler& row : more) rows.push_back(std::move(row));
  SetHandlers(std::move(rows));
}

CEditBox* CDpiValueDlgBase::ValueBox(int axis) const {
  if (axis < 0 || axis >= static_cast<int>(axes_.size())) return nullptr;
  return dynamic_cast<CEditBox*>(GetControl(axes_[static_cast<std::size_t>(axis)]->spec.box));
}

CSliderControl* CDpiValueDlgBase::Slider(int axis) const {
  if (axis < 0 || axis >= static_cast<int>(axes_.size())) return nullptr;
  return dynamic_cast<CSliderControl*>(GetControl(axes_[static_cast<std::size_t>(axis)]->spec.slider));
}

int CDpiValueDlgBase::ChosenPosition(int axis) const {
  if (axis < 0 || axis >= static_cast<int>(axes_.size())) return -1;
  return axes_[static_cast<std::size_t>(axis)]->choice.Position();
}

void CDpiValueDlgBase::CreateControls(const RECT& client) {
  CDlgBase::CreateControls(client);
  const int half = context_.Px(kKnobHalf);
  for (const auto& axis : axes_) {
    auto slider = std::make_unique<CSliderControl>(*this, axis->spec.slider, Scaled(axis->spec.sliderRect),
                                                   axis->choice.Count(), half, half);
    slider->SetNormalImage(L"skins\\Slider_Circle.png");
    AddControl(1, std::move(slider));
    SetControlText(axis->spec.minimum, axis->spec.minimumPrefix + DpiText(axis->choice.MinDpi()));
    SetControlText(axis->spec.maximum, DpiText(axis->choice.MaxDpi()));
  }
}

BOOL CDpiValueDlgBase::OnInitDialog() {
  CDlgBase::OnInitDialog();
  ShowChoices();
  for (int i = 0; i < static_cast<int>(axes_.size()); ++i) {
    if (CEditBox* box = ValueBox(i)) {
      axes_[static_cast<std::size_t>(i)]->arrows.Install(box->EditWindow(), [this, i](int step) { Step(i, step); });
    }
  }
  CEditBox* first = ValueBox(0);
  if (!first) return TRUE;
  first->TakeFocus();
  return FALSE;  // the focus is set
}

int CDpiValueDlgBase::FocusedAxis() const {
  const HWND focus = GetFocus();
  for (int i = 0; i < static_cast<int>(axes_.size()); ++i) {
    if (const CEditBox* box = ValueBox(i); box && focus && box->EditWindow() == focus) return i;
  }
  return -1;
}

void CDpiValueDlgBase::OnOK() {
  const int axis = ActiveAxis();
  if (axis < 0) {
    ShowChoices();
    return;
  }
  ApplyTyped(axis);
  Changed(axis);
}

void CDpiValueDlgBase::ApplyTyped(int axis) {
  if (CEditBox* box = ValueBox(axis)) axes_[static_cast<std::size_t>(axis)]->choice.Type(box->CurrentText());
}

void CDpiValueDlgBase::Step(int axis, int step) {
  DpiValueChoice& choice = axes_[static_cast<std::size_t>(axis)]->choice;
  step < 0 ? choice.StepLeft() : choice.StepRight();
  Changed(axis);
}

// Pressing a slider gives the keyboard to its axis's edit box, so Enter and the arrows act on the
// axis being dragged. (Only when it moves: a focus change makes the system report the pointer
// again, which must not disturb a drag in progress.)
void CDpiValueDlgBase::SliderPressed(int axis) {
  if (CEditBox* box = ValueBox(axis); box && FocusedAxis() != axis) box->TakeFocus();
  FollowSlider(axis);
}

void CDpiValueDlgBase::FollowSlider(int axis) {
  if (CSliderControl* slider = Slider(axis)) axes_[static_cast<std::size_t>(axis)]->choice.SetPosition(slider->ValueIndex());
  Changed(axis);
}

void CDpiValueDlgBase::Changed(int axis) {
  if (Synced()) {
    AlignAxesWith(axis);
    return;
  }
  ShowChoices();
}

void CDpiValueDlgBase::AlignAxesWith(int from) {
  const DpiValueChoice& source = axes_[static_cast<std::size_t>(from)]->choice;
  for (const auto& axis : axes_) {
    if (&axis->choice != &source) SyncAxes(axes_[static_cast<std::size_t>(from)]->choice, axis->choice);
  }
  // A synced slider that is not being dragged jumps to the dragged one's stop.
  ShowChoices();
}

void CDpiValueDlgBase::ShowChoices() {
  for (int i = 0; i < static_cast<int>(axes_.size()); ++i) {
    const Axis& axis = *axes_[static_cast<std::size_t>(i)];
    const std::wstring text = DpiText(axis.choice.Dpi());
    SetControlText(axis.spec.current, text);
    if (CEditBox* box = ValueBox(i)) box->SetText(text);
    if (CSliderControl* slider = Slider(i); slider && !slider->Dragging()) {
      slider->SetValueIndex(axis.choice.Position());
      slider->Invalidate();
    }
  }
}

// A value typed without Enter counts: every box whose text is not the DPI it shows is applied, in
// axis order, each followed by the sync rule (so with "XY Sync" checked the axes stay equal).
void CDpiValueDlgBase::Confirm() {
  for (int i = 0; i < static_cast<int>(axes_.size()); ++i) {
    const CEditBox* box = ValueBox(i);
    if (!box || box->CurrentText() == DpiText(axes_[static_cast<std::size_t>(i)]->choice.Dpi())) continue;
    ApplyTyped(i);
    if (Synced()) AlignAxesWith(i);
  }
  for (const auto& axis : axes_) {
    axis->edit.Edited() = axis->choice.Position();
    axis->edit.Confirm();
  }
  Close(IDOK);
}

}  // namespace gm::win
