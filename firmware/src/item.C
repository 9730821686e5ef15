// The record classes of the configuration tables: information items, messages and points.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x49, 0x54 };

enum { MENU_MASK = 0x1f, ACCESS_MASK = 0xe0 };

/*=========================================================*/
const TInfoItem* TInfoItem::get_item (uin id)
{
   for (const TInfoItem* item = InfoItems; item->ui_id != ID_ITEM_LAST; item++)
      if (item->ui_id == id)
         return item;
   return 0;
}

uch TInfoItem::has_id (uin id)           { return get_item(id) != 0; }
uch TInfoItem::is_relevant (uin id)      { const TInfoItem* item = get_item(id); return item && item->is_relevant(); }

uch TInfoItem::has_menu (uch menu)
{
   for (const TInfoItem* item = InfoItems; item->ui_id != ID_ITEM_LAST; item++)
      if (item->is_menu(menu))
         return TRUE;
   return FALSE;
}

void TInfoItem::show () const
{
   TParameter const* unit = UnitCoefs;
   if (has_units() && unit->Tag[0] != 0)
      BodyCheck(Body, sizeof Body);
}

uch TInfoItem::is_id (uin id) const                 { return ui_id == id; }
uch TInfoItem::is_id (uin start, uin end) const     { return ui_id >= start && ui_id <= end; }
uch TInfoItem::is_menu (uch menu) const             { return get_menu() == menu; }
uch TInfoItem::is_access (uch access) const         { return get_access() == access; }
uch TInfoItem::is_rate (void) const                 { return uc_coef == GU_RATE; }
uch TInfoItem::is_total (void) const                { return uc_coef == GU_TOTAL; }
uch TInfoItem::is_total_log (void) const            { return is_total() && is_access(OP_ACCESS_PRINTOUT); }
uch TInfoItem::is_process (void) const              { return is_menu(OP_MENU_VARIABLES) && !is_total(); }
uch TInfoItem::is_process_log (void) const          { return is_process() && is_access(OP_ACCESS_PRINTOUT); }
uch TInfoItem::is_variable (void) const             { return is_menu(OP_MENU_VARIABLES); }
uch TInfoItem::is_factor (void) const               { return uc_coef == DT_SCROLL; }
uch TInfoItem::is_relevant (void) const             { return get_access() != OP_ACCESS_NONE; }
uch TInfoItem::is_visible (void) const              { return is_relevant() && get_menu() < OP_MENU_INFO; }
uch TInfoItem::get_coef (void) const                { return uc_coef; }
flt TInfoItem::get_default (void) const             { return fl_default; }
flt TInfoItem::get_limit_lo (void) const            { return fl_low; }
flt TInfoItem::get_limit_hi (void) const            { return fl_high; }
uch TInfoItem::get_menu (void) const                { return (uch)(uc_combined & MENU_MASK); }
uch TInfoItem::get_access (void) const              { return (uch)(uc_combined & ACCESS_MASK); }
uch TInfoItem::has_units (void) const               { return uc_coef > DT_UNITS || (uc_coef > GU_TEMPERATURE && uc_coef < GU_TEMPERATURE_END); }
uch TInfoItem::has_hardware (void) const            { return is_menu(OP_MENU_HARDWARE); }
chr* TInfoItem::get_tag_item (void) const           { return (chr*)Tags[1]; }
chr* TInfoItem::get_tag_unit (void) const           { return (chr*)Tags[3]; }
void TInfoItem::set_tag_unit (chr* tag) const       { memcpy(Tags[3], tag, strlen(tag)); }
void TInfoItem::set_tag_item (chr* tag) const       { memcpy(Tags[1], tag, strlen(tag)); }
uch TInfoItem::ainp_is_relevant (uin channel) const { return is_relevant() && channel < 4; }
flt TInfoItem::scale_data (flt data) const          { return has_units() ? data * UnitCoefs[0].fl_data : data; }
flt TInfoItem::unscale_data (flt data) const        { return has_units() ? data / UnitCoefs[0].fl_data : data; }

#if MODEL == 758
uch TInfoItem::is_menu_hidden (void) const          { return is_menu(OP_MENU_HIDDEN) || is_menu(OP_MENU_VARIABLES_HIDDEN); }
uch TInfoItem::is_total_dp (void) const             { return is_total() && fl_high < 1000000.0; }
uch TInfoItem::is_var_menu (void) const             { return is_variable() || is_menu(OP_MENU_VARIABLES_HIDDEN); }
uch TInfoItem::is_log_visible (void) const          { return is_access(OP_ACCESS_PRINTOUT); }
uch TInfoItem::is_numerical (void) const            { return uc_coef >= DT_DP_1; }
uch TInfoItem::is_code (void) const                 { return uc_coef == DT_CODE_1 || uc_coef == DT_CODE_2; }

uin TInfoItem::get_id_rate (uin id_total)
{
   const TInfoItem* item = get_item(id_total);
   return item && item->is_total() ? (uin)(id_total + 1) : (uin)ID_ITEM_LAST;
}

uch TInfoItem::is_variable (uin id)
{
   const TInfoItem* item = get_item(id);
   return item && item->is_variable();
}
#endif

/*=========================================================*/
const TMessage* TMessage::get_item (uin id)
{
   for (const TMessage* message = Messages; message->ui_id != ID_ITEM_LAST; message++)
      if (message->ui_id == id)
         return message;
   return 0;
}

/*=========================================================*/
uch TPoint::interpolate (TBasis& InputX, TBasis& InputY, TBasis& OutputA, TBasis& OutputB)
{
   return &InputX != &InputY && &OutputA != &OutputB;
}

#if MODEL == 758
const TPoint* TPoint::get_point (uin ui_type, uin ui_idx)
{
   const TPoint* point = get_key(ui_type);
   for (; point && point->Item == ui_type; point++)
      if (ui_idx-- == 0)
         return point;
   return 0;
}

const TPoint* TPoint::get_key (uin ui_type)
{
   for (const TPoint* point = UserPoints; point->Item != 0; point++)
      if (point->Item == ui_type)
         return point;
   return 0;
}

uin TPoint::get_count (uin ui_type)
{
   uin count = 0;
   while (get_point(ui_type, count))
      count++;
   return count;
}

flt TPoint::get_data (uin ui_type, uin ui_idx)
{
   const TPoint* point = get_point(ui_type, ui_idx);
   return point ? point->Data1 : 0;
}

chr* TPoint::get_text (uin ui_type, uin ui_idx)
{
   const TPoint* point = get_point(ui_type, ui_idx);
   return point ? point->Text1 : 0;
}
#endif
