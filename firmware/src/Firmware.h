// Inside view of the firmware library: what its modules share beyond the model header.
#ifndef _740_FIRMWARE_
#define _740_FIRMWARE_

#include "740-ggui.h"

#define FW_JOIN2(a, b) a##b
#define FW_JOIN(a, b) FW_JOIN2(a, b)

/*=========================================================*/
// eCos kernel services the firmware runs on.
extern "C"
{
   void  cyg_scheduler_start (void);
   void  cyg_scheduler_lock (void);
   void  cyg_scheduler_unlock (void);
   void  cyg_thread_delay (uli ticks);
   uli   cyg_current_time (void);
   void  cyg_interrupt_attach (uin vector, void (*isr)(void));
   void  cyg_interrupt_enable (void);
   void  cyg_interrupt_disable (void);

   void* memcpy (void* to, const void* from, uli count);
   void* memset (void* to, int value, uli count);
   int   strcmp (const chr* a, const chr* b);
   uli   strlen (const chr* text);

   flt   sqrt (flt x);
   flt   pow (flt x, flt y);
   flt   exp (flt x);
   flt   log (flt x);
}

/*=========================================================*/
// Classes whose members a build may replace by the stubs of the generated source. Only the
// members those stubs define may be referenced, or the library's module would be linked too.
class TRecordLog;

class TAscii
{
public:
   TAscii();
   static void update (void);
   static void configure (void);
   static void process_link (void);
};

class TTag
{
public:
   TTag();
   static void  update (void);
   static void  configure (void);
   static void  process_link (void);
   static void  update_back (void);
   static void  reset_all (void);
   static uch   is_valid (void);
   static uch   is_required (void);
   static uin   get_points (void);
   static flt   get_tag (void);
   static void  set_tag (flt);
   static flt   get_parameter (uin);
   static void  set_parameter (uin, flt);
   static uch   update_loader (void*);
   static chr** get_message_bank (void);
   static void  set_message_bank (chr** pt_bank);
};

class TReport
{
public:
   TReport();
   static void update (void);
   static void update_fast (void);
   static void update_records (void);
   static void configure (void);
   static void process_link (void);
   static void try_print (class TRecordLog&);
};

class TUnits
{
public:
   TUnits();
   static void step (void);
   static void show (void);
   static void update (void);
   static void configure (void);
   static sch  get_offset (TInfoItem*);
   static flt  get_default (TInfoItem*);
   static flt  get_limit_lo (TInfoItem*);
   static flt  get_limit_hi (TInfoItem*);
};

/*=========================================================*/
// Tables and identity that every build's generated object defines.
extern const chr* const  AppPack;
extern const void* const InfoPack [];
extern const chr         SrlNumber [];
extern const chr         DbsVersion [];
extern const chr         CstVersion [];
extern const chr         DateTime [];
extern const uch         CardClass;
extern const uch         CardNumber;
extern const void*       Linkage [];
extern const chr* const  Headers [];
extern const chr* const  Footers [];
extern class TPoint const     UserPoints [];
extern class TParameter const UnitCoefs [];
extern class TParameter const Parameters [];
extern class TMessage const   Messages [];
extern const flt Factors1 [];
extern const flt Factors2 [];
extern const flt Factors3 [];
extern const flt Factors4 [];

/*=========================================================*/
// Entry points between the start code, the main loop, the model frame and the modules.
extern "C" void FirmwareMain (void);
void ModelRun (void);
void ModelService (void);
uch  FlashProgram (const uch* image, uli address, uin count);
uch  FlashErase (uli address);
void FlashDriverStart (void);
uin  BodyCheck (const uch* body, uin count);

// Every module is called from the main loop; its name list comes from the build.
#define FW_MODULE(name) void FW_JOIN(Module_, name) (void);
#include "Modules.h"
#undef FW_MODULE

#endif
