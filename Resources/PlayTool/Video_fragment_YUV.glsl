uniform sampler2D smp1;
uniform sampler2D smp2;
uniform sampler2D smp3;

varying vec3 m_color;
varying vec2 m_texcoord;

void main()
{
    vec3 yuv;
    yuv.x = texture2D(smp1, m_texcoord).r;
    yuv.y = texture2D(smp2, m_texcoord).r;
    yuv.z = texture2D(smp3, m_texcoord).r;
    yuv += vec3(-0.0627451017, -0.501960814, -0.501960814);

    // ITU-R BT.601, limited range
    vec3 rgb;
    rgb.r = 1.1644 * yuv.x + 1.596 * yuv.z;
    rgb.g = 1.1644 * yuv.x - 0.3918 * yuv.y - 0.813 * yuv.z;
    rgb.b = 1.1644 * yuv.x + 2.0172 * yuv.y;

    // The tiny colour term keeps the "color" attribute alive, so its location stays valid.
    gl_FragColor = vec4(rgb, 1.0) + 0.0001 * vec4(m_color, 1.0);
}
