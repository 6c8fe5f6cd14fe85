#pragma once
// CorMenu's geometry, layout and hit regions in DIPs of its client area.
// Portable: painting draws what this lays out, and the pointer is tested
// against the same regions. (Filled in with the menu.)
