#include "UnitStamp.h"

#include <cstdio>
#include <ctime>

#include "Console.h"

namespace kv::console {

void WriteUnitValues(AppImage& image, const LoadResults& load, const SerialNumberForm& form) {
    if (form.TagEnabled && load.UnitItem)
        image.Write(*load.UnitItem, form.Tag.substr(0, SerialNumberForm::MaxLength) + '\0');
    image.Write(load.Identity.Position + SrlNumberOffset, form.Number.substr(0, SerialLength));
}

void WriteDateTime(AppImage& image, const LoadResults& load,
                   std::chrono::system_clock::time_point now) {
    const std::time_t when = std::chrono::system_clock::to_time_t(now + std::chrono::minutes(3));
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "%04d,%02d,%02d,%02d,%02d,%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    image.Write(load.Identity.Position + DateTimeOffset, std::string(stamp, DateTimeLength));
}

}  // namespace kv::console
