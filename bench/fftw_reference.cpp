#include "bench/fftw_reference.h"

#include <fftw3.h>

double fftwTransformSeconds(int32_t n) {
    double* re = fftw_alloc_real(size_t(n));
    double* im = fftw_alloc_real(size_t(n));
    fftw_iodim dim{n, 1, 1};
    fftw_plan plan = fftw_plan_guru_split_dft(1, &dim, 0, nullptr, re, im, re, im, FFTW_MEASURE);
    const double seconds = bestTransformSeconds(re, im, n, [&] { fftw_execute_split_dft(plan, re, im, re, im); });
    fftw_destroy_plan(plan);
    fftw_free(re);
    fftw_free(im);
    return seconds;
}
