/* A small C program that uses the installed library: the weekday and the
 * version, through the installed header only. */
#include <stdio.h>
#include <string.h>
#include <vorane2.h>

int main(void) {
    CalendarDate d = {2000, 1, 1, 0.0, 0.0, 0.0, 135.0};
    if (ad2youbi(d) != 6) return 1;
    if (strcmp(VRNVER(), "1.0") != 0) return 1;
    printf("%s %.1f\n", VRNVER(), ad2jd(d) - 0.125);
    return 0;
}
