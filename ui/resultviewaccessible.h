// The result box as assistive technology sees it: a read-only multi-line
// text, with its text, its selection and the geometry of its characters.
#pragma once

namespace velmora {

// Makes every result box known to assistive technology; done once, on the
// first call.
void registerResultViewAccessibility();

} // namespace velmora
