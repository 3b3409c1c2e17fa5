#include <orlodock/tk/metrics.h>

namespace tk {

int CaptionHeight() { return 19; }
int BorderWidth() { return 4; }
int BorderHeight() { return 4; }

} // namespace tk
