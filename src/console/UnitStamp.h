#pragma once
// What each download writes into the image: the unit's serial number and tag before it starts,
// the date and time once block 0 has gone. The console and the gang programming share these.
#include <chrono>

#include "AppImage.h"
#include "SerialNumberForm.h"

namespace kv::console {

struct LoadResults;

// The tag (when the field is enabled and the image has a unit item) and the serial number.
void WriteUnitValues(AppImage& image, const LoadResults& load, const SerialNumberForm& form);

// The stamp for images whose revision carries one; `now` plus three minutes, the time the unit
// shows once it has booted.
void WriteDateTime(AppImage& image, const LoadResults& load,
                   std::chrono::system_clock::time_point now);

}  // namespace kv::console
