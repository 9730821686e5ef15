/* Elementary functions in single precision (double is 32 bits with -ms): range reduction to
   the powers of two, then short series. Good to about six digits. */

typedef union { double f; unsigned long u; } bits;

static const double LN2 = 0.69314718;

double fabs (double x)
{
   return x < 0 ? -x : x;
}

double sqrt (double x)
{
   double r;
   int i;
   if (x <= 0) return 0;
   r = x > 1 ? x : 1;
   for (i = 0; i < 20; i++)
      r = 0.5 * (r + x / r);
   return r;
}

double log (double x)
{
   bits b;
   int e;
   double m, t, t2, sum;
   if (x <= 0) return -1e30;
   b.f = x;
   e = (int)((b.u >> 23) & 0xff) - 127;
   b.u = (b.u & 0x007fffffUL) | 0x3f800000UL;   /* mantissa in [1, 2) */
   m = b.f;
   t = (m - 1) / (m + 1);
   t2 = t * t;
   sum = t * (2 + t2 * (2.0 / 3 + t2 * (2.0 / 5 + t2 * (2.0 / 7 + t2 * 2.0 / 9))));
   return sum + e * LN2;
}

double exp (double x)
{
   bits b;
   int n;
   double r, term, sum;
   int i;
   if (x > 88) return 3.4e38;
   if (x < -87) return 0;
   n = (int)(x / LN2);
   r = x - n * LN2;
   sum = 1;
   term = 1;
   for (i = 1; i < 10; i++)
   {
      term = term * r / i;
      sum = sum + term;
   }
   b.f = sum;
   b.u += (unsigned long)(long)n << 23;
   return b.f;
}

double pow (double x, double y)
{
   if (x == 0) return 0;
   return exp(y * log(x));
}

double log10 (double x)
{
   return log(x) / 2.3025851;
}
