/* Single precision arithmetic for the H8S: with -ms a double is 32 bits wide, so gcc calls
   these for every floating point operation. Only integer operations are used here, or gcc
   would call them recursively. Rounding truncates; denormals count as zero. */

typedef unsigned long u32;
typedef long s32;
typedef unsigned short u16;

typedef union { float f; u32 u; } bits;

#define SIGN(u) ((u) & 0x80000000UL)
#define EXP(u) ((int)(((u) >> 23) & 0xff))
#define MANT(u) (((u) & 0x007fffffUL) | 0x00800000UL)

static float make (u32 sign, int exp, u32 mant)
{
   bits r;
   if (mant == 0 || exp <= 0) { r.u = sign; return r.f; }
   if (exp >= 0xff) { r.u = sign | 0x7f800000UL; return r.f; }
   r.u = sign | ((u32)exp << 23) | (mant & 0x007fffffUL);
   return r.f;
}

/* Shifts the mantissa into [2^23, 2^24) and adjusts the exponent. */
static float normalise (u32 sign, int exp, u32 mant)
{
   if (mant == 0) return make(sign, 0, 0);
   while (mant >= 0x01000000UL) { mant >>= 1; exp++; }
   while (mant < 0x00800000UL) { mant <<= 1; exp--; }
   return make(sign, exp, mant);
}

float __addsf3 (float a, float b)
{
   bits x, y;
   int ex, ey;
   u32 mx, my;
   x.f = a; y.f = b;
   if (EXP(x.u) == 0) return b;
   if (EXP(y.u) == 0) return a;
   if (EXP(x.u) < EXP(y.u)) { bits t = x; x = y; y = t; }
   ex = EXP(x.u); ey = EXP(y.u);
   mx = MANT(x.u) << 6; my = MANT(y.u) << 6;
   if (ex - ey > 30) return x.f;
   my >>= ex - ey;
   if (SIGN(x.u) == SIGN(y.u))
      return normalise(SIGN(x.u), ex, (mx + my) >> 6);
   if (mx >= my)
      return normalise(SIGN(x.u), ex, (mx - my) >> 6);
   return normalise(SIGN(y.u), ex, (my - mx) >> 6);
}

float __negsf2 (float a)
{
   bits x;
   x.f = a;
   x.u ^= 0x80000000UL;
   return x.f;
}

float __subsf3 (float a, float b)
{
   return __addsf3(a, __negsf2(b));
}

static u32 mul16 (u16 a, u16 b)
{
   return (u32)a * (u32)b;
}

float __mulsf3 (float a, float b)
{
   bits x, y;
   u32 mx, my, a1, a0, b1, b0, mid, hi;
   x.f = a; y.f = b;
   if (EXP(x.u) == 0 || EXP(y.u) == 0) return make(SIGN(x.u ^ y.u), 0, 0);
   mx = MANT(x.u); my = MANT(y.u);
   a1 = mx >> 12; a0 = mx & 0xfff; b1 = my >> 12; b0 = my & 0xfff;
   mid = mul16((u16)a1, (u16)b0) + mul16((u16)a0, (u16)b1) + (mul16((u16)a0, (u16)b0) >> 12);
   hi = mul16((u16)a1, (u16)b1) + (mid >> 12);
   /* hi is the product shifted right by 24 bits: 2^22 <= hi < 2^24 */
   return normalise(SIGN(x.u ^ y.u), EXP(x.u) + EXP(y.u) - 127 + 1, hi);
}

float __divsf3 (float a, float b)
{
   bits x, y;
   u32 rest, div, quot = 0;
   int i;
   x.f = a; y.f = b;
   if (EXP(y.u) == 0) return make(SIGN(x.u ^ y.u), 0xff, 0);
   if (EXP(x.u) == 0) return make(SIGN(x.u ^ y.u), 0, 0);
   rest = MANT(x.u); div = MANT(y.u);
   for (i = 0; i < 25; i++)
   {
      quot <<= 1;
      if (rest >= div) { rest -= div; quot |= 1; }
      rest <<= 1;
   }
   /* quot holds 25 quotient bits: the value (mx/my) * 2^24 */
   return normalise(SIGN(x.u ^ y.u), EXP(x.u) - EXP(y.u) + 127 - 1, quot);
}

/* -1, 0 or 1 like a - b; both zeros compare equal. */
int __cmpsf2 (float a, float b)
{
   bits x, y;
   s32 ix, iy;
   x.f = a; y.f = b;
   if (EXP(x.u) == 0) x.u = 0;
   if (EXP(y.u) == 0) y.u = 0;
   ix = SIGN(x.u) ? -(s32)(x.u & 0x7fffffffUL) : (s32)x.u;
   iy = SIGN(y.u) ? -(s32)(y.u & 0x7fffffffUL) : (s32)y.u;
   return ix < iy ? -1 : ix > iy ? 1 : 0;
}

int __eqsf2 (float a, float b) { return __cmpsf2(a, b); }
int __nesf2 (float a, float b) { return __cmpsf2(a, b); }
int __ltsf2 (float a, float b) { return __cmpsf2(a, b); }
int __lesf2 (float a, float b) { return __cmpsf2(a, b); }
int __gtsf2 (float a, float b) { return __cmpsf2(a, b); }
int __gesf2 (float a, float b) { return __cmpsf2(a, b); }

float __floatsisf (s32 i)
{
   u32 sign = 0, mag = (u32)i;
   int exp = 127 + 23;
   if (i == 0) return make(0, 0, 0);
   if (i < 0) { sign = 0x80000000UL; mag = (u32)-i; }
   while (mag >= 0x01000000UL) { mag >>= 1; exp++; }
   return normalise(sign, exp, mag);
}

s32 __fixsfsi (float a)
{
   bits x;
   int shift;
   u32 mag;
   x.f = a;
   shift = EXP(x.u) - 127 - 23;
   if (EXP(x.u) < 127) return 0;
   if (shift > 7) return SIGN(x.u) ? (s32)0x80000000UL : 0x7fffffffL;
   mag = MANT(x.u);
   mag = shift >= 0 ? mag << shift : mag >> -shift;
   return SIGN(x.u) ? -(s32)mag : (s32)mag;
}
