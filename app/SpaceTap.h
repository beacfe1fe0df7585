#pragma once

// One synthesised press and release of the Space key. It is queued like a real key stroke and
// goes to the window that has the focus when it is taken from the queue.
void SpaceTap();
