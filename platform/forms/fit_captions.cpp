#include "platform/forms/fit_captions.h"

#include <algorithm>

#include "platform/forms/form.h"

namespace {

bool SameRow(const forms::TwipsRect& a, const forms::TwipsRect& b) {
  return a.Top < b.Top + std::max(b.Height, 1) && b.Top < a.Top + std::max(a.Height, 1);
}

bool SamePlace(const forms::Control& a, const forms::Control& b) {
  return a.Spec().Container == b.Spec().Container && a.Spec().TabPage == b.Spec().TabPage;
}

}  // namespace

void forms::FitCaptions(forms::Form& form, std::int32_t twipsPerPixel) {
  using forms::ControlKind;
  const std::vector<forms::Control*> controls = form.Controls();
  for (forms::Control* c : controls) {
    const bool check = c->Kind() == ControlKind::CheckBox;
    // Control arrays (the window fields) fit their texts themselves.
    if ((c->Kind() != ControlKind::Label && !check) || c->Index() >= 0 || c->Caption().empty()) continue;
    forms::TwipsRect r = c->Rect();
    // A check box's box and the gap before its text.
    const std::int32_t need = c->TextWidth(c->Caption()) + (check ? 20 : 2) * twipsPerPixel;
    if (need <= r.Width) continue;
    std::int32_t limit = need;
    if (!c->Spec().Container.empty() && form.Has(c->Spec().Container))
      limit = form[c->Spec().Container].Rect().Width - 120 - r.Left;
    for (const forms::Control* d : controls) {
      if (d == c || d->Kind() == ControlKind::Line || d->Kind() == ControlKind::Menu ||
          d->Kind() == ControlKind::MenuItem || d->Kind() == ControlKind::Timer || !SamePlace(*c, *d))
        continue;
      if (d->Rect().Left > r.Left && SameRow(r, d->Rect())) limit = std::min(limit, d->Rect().Left - r.Left - 60);
    }
    const std::int32_t width = std::max(r.Width, std::min(need, limit));
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
