// ID tag reader: driver tags and the parameters they carry. A build for model 746 or the
// original 758 hardware replaces this class by the stub of the generated source.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x49, 0x44 };
static flt  Tag;
static flt  Values [24];
static chr** Bank;
static uin  Points;

TTag::TTag() {}
void  TTag::update()                   { Points = BodyCheck(Body, sizeof Body); }
void  TTag::configure()                { Points = 0; Tag = 0; }
void  TTag::process_link()             { update_back(); }
void  TTag::update_back()              { Values[0] = Tag; }
void  TTag::reset_all()                { memset(Values, 0, sizeof Values); }
uch   TTag::is_valid()                 { return Tag != 0 ? TRUE : FALSE; }
uch   TTag::is_required()              { return Points != 0 ? TRUE : FALSE; }
uin   TTag::get_points()               { return Points; }
flt   TTag::get_tag()                  { return Tag; }
void  TTag::set_tag(flt tag)           { Tag = tag; }
flt   TTag::get_parameter(uin index)   { return index < 24 ? Values[index] : 0; }
void  TTag::set_parameter(uin index, flt value) { if (index < 24) Values[index] = value; }
uch   TTag::update_loader(void* data)  { return data != 0 ? TRUE : FALSE; }
chr** TTag::get_message_bank()         { return Bank; }
void  TTag::set_message_bank(chr** pt_bank) { Bank = pt_bank; }
