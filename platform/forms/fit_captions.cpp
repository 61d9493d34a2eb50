#include "platform/forms/fit_captions.h"

#include <algorithm>
#include <vector>

#include "platform/forms/form.h"

namespace {

bool SameRow(const forms::TwipsRect& a, const forms::TwipsRect& b) {
  return a.Top < b.Top + std::max(b.Height, 1) && b.Top < a.Top + std::max(a.Height, 1);
}

bool SamePlace(const forms::Control& a, const forms::Control& b) {
  return a.Spec().Container == b.Spec().Container && a.Spec().TabPage == b.Spec().TabPage;
}

bool Editable(const forms::Control& c) {
  return c.Kind() == forms::ControlKind::TextBox || c.Kind() == forms::ControlKind::ComboBox;
}

// A caption wider than the gap before the text box or list beside it (a
// font wider than the one the form was laid out in): that box's column, the
// boxes with the same left edge and the headings above them, starts further
// right by what is missing. The boxes keep their right edges, and each must
// keep three quarters of its width; a heading keeps its width. Returns the
// room made.
std::int32_t MakeRoom(const std::vector<forms::Control*>& controls, const forms::Control& next, std::int32_t missing) {
  if (!Editable(next)) return 0;
  std::vector<forms::Control*> column;
  for (forms::Control* d : controls) {
    if (!SamePlace(next, *d) || d->Rect().Left != next.Rect().Left) continue;
    if (!Editable(*d) && d->Kind() != forms::ControlKind::Label) return 0;
    if (Editable(*d) && (d->Rect().Width - missing) * 4 < d->Rect().Width * 3) return 0;
    column.push_back(d);
  }
  for (forms::Control* d : column) {
    forms::TwipsRect moved = d->Rect();
    moved.Left += missing;
    if (Editable(*d)) moved.Width -= missing;
    d->Move(moved);
  }
  return missing;
}

// The caption's need in twips, or 0 for a control whose caption is not
// fitted here.
std::int32_t Need(forms::Control& c, std::int32_t twipsPerPixel) {
  using forms::ControlKind;
  const bool check = c.Kind() == ControlKind::CheckBox;
  // Control arrays (the window fields) fit their texts themselves.
  if ((c.Kind() != ControlKind::Label && !check) || c.Index() >= 0 || c.Caption().empty()) return 0;
  // A check box's box and the gap before its text grow with the DPI: 20
  // pixels at 96 DPI, 300 twips at any.
  return c.TextWidth(c.Caption()) + (check ? 300 : 2 * twipsPerPixel);
}

// How wide the control may grow: to its frame's edge and short of the next
// control on its row, which is left in next.
std::int32_t Limit(forms::Form& form, const std::vector<forms::Control*>& controls, const forms::Control& c,
                   std::int32_t wanted, forms::Control*& next) {
  using forms::ControlKind;
  const forms::TwipsRect& r = c.Rect();
  std::int32_t limit = wanted;
  if (!c.Spec().Container.empty() && form.Has(c.Spec().Container))
    limit = form[c.Spec().Container].Rect().Width - 120 - r.Left;
  next = nullptr;
  for (forms::Control* d : controls) {
    if (d == &c || d->Kind() == ControlKind::Line || d->Kind() == ControlKind::Menu ||
        d->Kind() == ControlKind::MenuItem || d->Kind() == ControlKind::Timer || !SamePlace(c, *d))
      continue;
    if (d->Rect().Left > r.Left && SameRow(r, d->Rect()) && d->Rect().Left - r.Left - 60 < limit) {
      limit = d->Rect().Left - r.Left - 60;
      next = d;
    }
  }
  return limit;
}

}  // namespace

void forms::FitCaptions(forms::Form& form, std::int32_t twipsPerPixel) {
  using forms::ControlKind;
  const std::vector<forms::Control*> controls = form.Controls();
  // Columns make room first, so that the headings that move with them are
  // fitted where they end up.
  for (forms::Control* c : controls) {
    const std::int32_t need = Need(*c, twipsPerPixel);
    if (need <= c->Rect().Width) continue;
    forms::Control* next = nullptr;
    const std::int32_t limit = Limit(form, controls, *c, need, next);
    if (need > limit && next != nullptr) MakeRoom(controls, *next, need - limit);
  }
  for (forms::Control* c : controls) {
    const std::int32_t need = Need(*c, twipsPerPixel);
    forms::TwipsRect r = c->Rect();
    if (need <= r.Width) continue;
    forms::Control* next = nullptr;
    const std::int32_t width = std::max(r.Width, std::min(need, Limit(form, controls, *c, need, next)));
    if (width == r.Width) continue;
    r.Width = width;
    c->Move(r);
    // The section line after a heading starts after it.
    for (forms::Control* line : controls) {
      if (line->Kind() != ControlKind::Line || !SamePlace(*c, *line) || !SameRow(r, line->Rect())) continue;
      forms::TwipsRect l = line->Rect();
      const std::int32_t start = r.Left + r.Width + 60;
      if (l.Left < r.Left || l.Left >= start) continue;
      l.Width = std::max(0, l.Left + l.Width - start);
      l.Left = start;
      line->Move(l);
    }
  }
}
