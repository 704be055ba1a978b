#include "calc/module_calcoli.h"

#include "calc/conversions.h"
#include "calc/float_ops.h"

namespace tubaro {

namespace {

// The gas coefficient, fixed to four decimals: the double
// 0.6075823656991713 becomes 0.6076. Recomputed at every call, as the
// results depend on this exact sequence.
Currency gas_coefficient()
{
    double a = power(0.6, 0.848);
    a = checked_multiply(a, 0.64224);
    double b = power(12.0, 0.152);
    b = checked_multiply(b, a);
    return double_to_currency(b);
}

// kcal/h -> m3/h of gas at 8500 kcal/m3 -> l/s, then fixed to four decimals.
Currency flow_from_kcal_per_hour(double x)
{
    x = checked_divide(x, 8500.0);
    x = checked_multiply(x, 1000.0);
    x = checked_divide(x, 3600.0);
    return double_to_currency(x);
}

// The flow from a whole power: 116 kW -> 3.2601 l/s, 10 kW -> 0.2810 l/s.
// A power beyond +-2'497'074 overflows the Long product.
Currency flow_from_long_power(Long P)
{
    return flow_from_kcal_per_hour(to_double(checked_multiply(P, 860)));
}

// The flow from a power with a fraction; any power within +-0.0017 gives 0.
Currency flow_from_currency_power(Currency P)
{
    return flow_from_kcal_per_hour(to_double(multiply(std::int16_t{860}, P)));
}

// K * L as an exact Currency product, then as a double.
double coefficient_times_length(Currency K, Long L)
{
    return to_double(multiply(K, Currency::from_long(L)));
}

}  // namespace

double diameter_before_rounding(Long P, Long Y, Long L)
{
    const Currency K = gas_coefficient();
    const Currency Q = flow_from_long_power(P);
    const double e = checked_divide(1000.0, 2623.0);
    const double QS = checked_divide(to_double(Q), 0.0001);  // a division, not * 10000
    const double KL = coefficient_times_length(K, L);
    const double R = checked_divide(to_double(Y), KL);
    const double S = power(R, 0.541);
    const double T = checked_divide(QS, S);
    return power(T, e);  // U
}

double power_before_rounding(Long D, Long Y, Long L)
{
    const Currency K = gas_coefficient();
    const double KL = coefficient_times_length(K, L);
    const double R = checked_divide(to_double(Y), KL);
    const double S = power(R, 0.541);
    const double W = power(to_double(D), 2.623);
    double q = checked_multiply(W, 0.0001);
    q = checked_multiply(q, S);  // this flow stays a double, never fixed
    double F = checked_divide(860.0, 8500.0);
    F = checked_multiply(F, 1000.0);
    F = checked_divide(F, 3600.0);
    return checked_divide(q, F);  // p
}

double loss_before_rounding(Long D, Long P, Long L)
{
    const Currency K = gas_coefficient();
    const Currency Q = flow_from_long_power(P);
    const double QA = power(to_double(Q), checked_divide(1000.0, 541.0));
    const double C = power(10000.0, checked_divide(1000.0, 541.0));
    double N = checked_multiply(to_double(K), C);
    N = checked_multiply(N, to_double(L));
    N = checked_multiply(N, QA);
    const double E = power(to_double(D), checked_divide(2623.0, 541.0));
    return checked_divide(N, E);  // Y
}

double length_before_rounding(Long D, Currency P, Long Y)
{
    const Currency K = gas_coefficient();
    const Currency Q = flow_from_currency_power(P);
    const double E = power(to_double(D), checked_divide(2623.0, 541.0));
    const double M = checked_multiply(E, to_double(Y));
    const double QA = power(to_double(Q), checked_divide(1000.0, 541.0));
    const double C = power(10000.0, checked_divide(1000.0, 541.0));
    double G = checked_multiply(to_double(K), C);
    G = checked_multiply(G, QA);
    return checked_divide(M, G);  // L
}

Long Calcola_Diametro(Long P, Long Y, Long L)
{
    return double_to_long(diameter_before_rounding(P, Y, L));
}

Long Calcola_Potenza(Long D, Long Y, Long L)
{
    return double_to_long(power_before_rounding(D, Y, L));
}

Long Calcola_Perdita(Long D, Long P, Long L)
{
    return double_to_long(loss_before_rounding(D, P, L));
}

Long Calcola_Lunghezza(Long D, Currency P, Long Y)
{
    return double_to_long(length_before_rounding(D, P, Y));
}

}  // namespace tubaro
