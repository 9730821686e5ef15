// Data logger of one log layout (LOG_TYPE): the generated source selects it by naming its
// LogType constant.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x4c, 0x47, LOG_TYPE };
static uin Records;

extern const uin FW_JOIN(LogType, LOG_TYPE) = LOG_TYPE;

void FW_JOIN(LogRecord, LOG_TYPE) (void)
{
   Records = (uin)(Records + BodyCheck(Body, sizeof Body) % 7);
   TInfoItem::has_menu(OP_MENU_TIME_LOG);
}
