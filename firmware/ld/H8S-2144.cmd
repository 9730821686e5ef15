/* 740-Series firmware, H8S/2144 memory map (ROM 0x000000 to 0x01FFFF). */
OUTPUT_ARCH (h8300s)
SEARCH_DIR (../toolchain/lib)
GROUP (lib740.a libecos.a libgcc.a libc.a libm.a)
OUTPUT_FORMAT("binary")

MEMORY
{
   v_rom : ORIGIN = 0x000000, LENGTH = 0x000400   /* internal ROM, vectors        */
   f_rom : ORIGIN = 0x00e000, LENGTH = 0x002000   /* internal ROM, flash driver   */
   s_rom : ORIGIN = 0x000400, LENGTH = 0x000004   /* internal ROM, ROM start      */
   a_rom : ORIGIN = 0x000404, LENGTH = 0x00dbfc   /* internal ROM, application    */
   b_rom : ORIGIN = 0x010000, LENGTH = 0x00fffc   /* internal ROM, libraries      */
   e_rom : ORIGIN = 0x01fffc, LENGTH = 0x000004   /* internal ROM, ROM end        */
   e_ram : ORIGIN = 0x020000, LENGTH = 0x020000   /* external RAM, general        */
   i_ram : ORIGIN = 0xffe080, LENGTH = 0x000f80   /* internal RAM, general        */
   p_ram : ORIGIN = 0xffe080, LENGTH = 0x000f80   /* internal RAM, flash program  */
   u_ram : ORIGIN = 0xffff00, LENGTH = 0x000080   /* internal RAM, uncleared      */
}

SECTIONS
{
   .from : { *740-fapi.o(.*) } > f_rom
   .vrom : { *740*.o(.vrom) } > v_rom
   .vram (NOLOAD) : { *740*.o(.vram) } > i_ram
   .uram (NOLOAD) : { *740-prog.o(.uram) *740-flsh.o(.uram) } > u_ram
   .fram (NOLOAD) :
   {
      _fram = . ;
      *740-prog.o(.bss COMMON) *740-flsh.o(.bss COMMON)
      _fram_end = . ;
   } > e_ram
   .pram (NOLOAD) :
   {
      . = . + 800 ;
      _pram_stack = . ;
   } > p_ram
   .pdata : AT (_promdata)
   {
      _pdata = . ;
      *740-prog.o(.*)
      _pdata_end = . ;
   } > p_ram
   .promdata (NOLOAD) :
   {
      _promdata = . ;
      . = . + SIZEOF(.pdata) ;
      _promdata_end = . ;
   } > f_rom
   .fdata : AT (_fromdata)
   {
      _fdata = . ;
      *740-flsh.o(.data)
      _fdata_end = . ;
   } > e_ram
   .fromdata (NOLOAD) :
   {
      _fromdata = . ;
      . = . + SIZEOF(.fdata) ;
      _fromdata_end = . ;
   } > f_rom
   .ftext :
   {
      _flash_ctor_list = . ;
      *740-flsh.o(.ctors)
      _flash_ctor_end = . ;
      *740-flsh.o(.rodata .strings .text)
      _ftext_end = . ;
   } > f_rom
   .rom_start : { 7*.o(.srom) } > s_rom
   .user_start : { *740-vect.o(.text) } > a_rom
   .gui_start : { *740-ggui.o(.rodata) } > b_rom
   .rom_end : { 7*.o(.erom) } > e_rom
   .heap (NOLOAD) :
   {
      _end = . ;
      . = . + 0x800 ;
      _eram_stack = . ;
   } > e_ram
   .eram (NOLOAD) :
   {
      _eram = . ;
      *(.bss COMMON)
      _eram_end = . ;
   } > e_ram
   .data : AT (_romdata)
   {
      _data = . ;
      *(.data)
      _data_end = . ;
   } > e_ram
   .iram (NOLOAD) :
   {
      _iram = . ;
      *740*.o(.iram)
      _iram_end = . ;
   } > i_ram
   .romdata (NOLOAD) :
   {
      _romdata = . ;
      . = . + SIZEOF(.data) ;
      _romdata_end = . ;
   } > a_rom
   .arom_misc :
   {
      746-app*(.text*)
      746-bc*(.text*)
   } > a_rom
   .tors :
   {
      __CTOR_LIST__ = . ;
      ___ctors = . ;
      *kernel_sched.o(.ctors)
      *kernel_clock.o(.ctors)
      *kernel*.o(.ctors)
      *740-ggui.o(.ctors)
      *746*.o(.ctors)
      *758*.o(.ctors)
      *(.ctors*)
      __CTOR_END__ = . ;
      ___ctors_end = . ;
      ___dtors = . ;
      __DTOR_LIST__ = . ;
      *(.dtors)
      __DTOR_END__ = . ;
      ___dtors_end = . ;
   } > b_rom
   .brom :
   {
      7*(.*)
      _text_end = . ;
   } > b_rom
   .arom : { *(.*) } > a_rom
}
