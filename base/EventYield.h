#pragma once

namespace tessaly {

/// Lets the event loop run what is pending, once. The only place the program yields to
/// events in the middle of its own work, where a capture waits for the view to draw.
void yieldToEvents();

} // namespace tessaly
