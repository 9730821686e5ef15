/* 32-bit multiplication and division for the H8S, which multiplies and divides 16-bit
   operands only. Shift and subtract loops, so gcc never calls them from themselves. */

typedef unsigned long u32;
typedef long s32;

u32 __mulsi3 (u32 a, u32 b)
{
   u32 product = 0;
   while (b)
   {
      if (b & 1) product += a;
      a <<= 1;
      b >>= 1;
   }
   return product;
}

static u32 divide (u32 num, u32 den, u32* rest)
{
   u32 quot = 0, bit = 1;
   if (den == 0) { *rest = num; return 0xffffffffUL; }
   while (den < num && !(den & 0x80000000UL)) { den <<= 1; bit <<= 1; }
   while (bit)
   {
      if (num >= den) { num -= den; quot |= bit; }
      den >>= 1;
      bit >>= 1;
   }
   *rest = num;
   return quot;
}

u32 __udivsi3 (u32 a, u32 b) { u32 r; return divide(a, b, &r); }
u32 __umodsi3 (u32 a, u32 b) { u32 r; divide(a, b, &r); return r; }

s32 __divsi3 (s32 a, s32 b)
{
   u32 r, q = divide(a < 0 ? (u32)-a : (u32)a, b < 0 ? (u32)-b : (u32)b, &r);
   return (a < 0) != (b < 0) ? -(s32)q : (s32)q;
}

s32 __modsi3 (s32 a, s32 b)
{
   u32 r;
   divide(a < 0 ? (u32)-a : (u32)a, b < 0 ? (u32)-b : (u32)b, &r);
   return a < 0 ? -(s32)r : (s32)r;
}
