/* The C library functions the firmware uses. */

typedef unsigned long size_t;

void* memcpy (void* to, const void* from, size_t count)
{
   char* d = to;
   const char* s = from;
   while (count--) *d++ = *s++;
   return to;
}

void* memset (void* to, int value, size_t count)
{
   char* d = to;
   while (count--) *d++ = (char)value;
   return to;
}

int memcmp (const void* a, const void* b, size_t count)
{
   const unsigned char* x = a;
   const unsigned char* y = b;
   for (; count; count--, x++, y++)
      if (*x != *y) return *x - *y;
   return 0;
}

size_t strlen (const char* text)
{
   const char* end = text;
   while (*end) end++;
   return (size_t)(end - text);
}

int strcmp (const char* a, const char* b)
{
   while (*a && *a == *b) { a++; b++; }
   return (unsigned char)*a - (unsigned char)*b;
}

char* strcpy (char* to, const char* from)
{
   char* d = to;
   while ((*d++ = *from++) != 0) {}
   return to;
}
