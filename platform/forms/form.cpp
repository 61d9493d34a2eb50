#include "platform/forms/form.h"

#include "platform/forms/form_error.h"
#include "platform/forms/ui.h"

namespace forms {

Form::Form(Ui& ui, FormSpec spec) : ui_(ui), spec_(std::move(spec)), caption_(spec_.Caption), rect_(spec_.Rect) {
  for (const auto& control : spec_.Controls) controls_.push_back(std::make_unique<Control>(*this, control));
  designControls_ = controls_.size();
}

Form::~Form() {
  for (auto& control : controls_) control->DetachPeer();
  if (peer_) {
    peer_.reset();
    ui_.FormUnloaded(*this);
  }
}

Control& Form::Item(std::string_view name, int index) const {
  for (const auto& control : controls_)
    if (control->Name() == name && control->Index() == index) return *control;
  throw Error(kErrNoSuchControl, "There is no control named '" + std::string(name) + "'");
}

bool Form::Has(std::string_view name, int index) const {
  for (const auto& control : controls_)
    if (control->Name() == name && control->Index() == index) return true;
  return false;
}

std::vector<Control*> Form::Controls() const {
  std::vector<Control*> all;
  for (const auto& control : controls_) all.push_back(control.get());
  return all;
}

Control& Form::AddControl(ControlSpec spec) {
  if (Has(spec.Name, spec.Index))
    throw Error(kErrControlExists, "There is already a control with the name '" + spec.Name + "'");
  auto control = std::make_unique<Control>(*this, std::move(spec));
  if (peer_) control->AttachPeer(peer_->CreateControlPeer(*control));
  controls_.push_back(std::move(control));
  Tell(FormProperty::Controls);
  return *controls_.back();
}

void Form::Load() {
  if (peer_ || loading_) return;
  loading_ = true;
  posted_ = false;
  caption_ = spec_.Caption;
  rect_ = spec_.Rect;
  visible_ = false;
  windowState_ = WindowState::Normal;
  for (auto& control : controls_) control->Reset();
  peer_ = ui_.CreateFormPeer(*this);
  for (auto& control : controls_) control->AttachPeer(peer_->CreateControlPeer(*control));
  Tell(FormProperty::Controls);
  ui_.FormLoaded(*this);
  struct Done {
    Form& form;
    ~Done() {
      form.loading_ = false;
      // Timers enabled when the load ends start now.
      if (form.peer_)
        for (auto& control : form.controls_)
          if (control->Kind() == ControlKind::Timer) control->Refresh(Property::Timer);
    }
  } done{*this};
  LoadEvent.Raise();
}

void Form::Show() {
  Load();
  if (!peer_) return;  // the load handler unloaded it again
  visible_ = true;
  Tell(FormProperty::Visible);
}

void Form::ShowModal(Form& owner) {
  if (modalOwner_ || &owner == this) return;
  Load();
  if (!peer_ || !owner.Loaded()) return;
  modalOwner_ = &owner;
  peer_->SetModalOwner(&owner);
  Show();
  ui_.RunModal(*this);
  EndModal();  // when the loop ended otherwise (the program quits)
  if (owner.Loaded() && owner.Visible()) owner.SetFocus();
}

// The owner becomes usable before the dialog goes, so that Windows gives the
// activation back to it rather than to another program.
void Form::EndModal() {
  if (!modalOwner_) return;
  modalOwner_ = nullptr;
  if (peer_) peer_->SetModalOwner(nullptr);
}

void Form::Hide() {
  if (!peer_) return;
  EndModal();
  visible_ = false;
  Tell(FormProperty::Visible);
}

bool Form::Unload(UnloadMode mode) {
  if (!peer_) return true;
  int cancel = 0;
  QueryUnload.Raise(cancel, mode);
  if (cancel != 0 || !peer_) return cancel == 0;
  UnloadEvent.Raise(cancel);
  if (cancel != 0 || !peer_) return cancel == 0;
  EndModal();
  activeControl_ = nullptr;
  for (auto& control : controls_) control->DetachPeer();
  for (std::size_t i = designControls_; i < controls_.size(); ++i) retired_.push_back(std::move(controls_[i]));
  controls_.resize(designControls_);
  peer_.reset();
  visible_ = false;
  ui_.FormUnloaded(*this);
  return true;
}

void Form::SetFocus() { Tell(FormProperty::Focus); }

void Form::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Tell(FormProperty::Caption);
}

void Form::SetWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  Tell(FormProperty::WindowState);
  Resize.Raise();
}

void Form::UserResized(WindowState state, const TwipsRect& rect) {
  windowState_ = state;
  rect_ = rect;
  Resize.Raise();
}

void Form::Move(const TwipsRect& rect) {
  rect_ = rect;
  Tell(FormProperty::Rect);
  Resize.Raise();
}

Picture Form::Icon() { return ui_.LoadResPicture(spec_.Icon); }

void Form::Post() {
  if (!peer_ || posted_) return;
  posted_ = peer_->Post();
}

void Form::PostArrived() {
  // One that an earlier load posted is not this load's.
  if (!posted_) return;
  posted_ = false;
  Posted.Raise();
}

void Form::PopupMenu(Control& menu, unsigned flags, Control* defaultItem) {
  if (!peer_) return;
  if (Control* picked = peer_->PopupMenu(menu, flags, defaultItem)) picked->Click.Raise();
}

}  // namespace forms
