attribute vec3 pos;
attribute vec3 color;
attribute vec2 texcoord;

uniform mat4 modelMat;
uniform mat4 viewMat;
uniform mat4 projMat;

varying vec3 m_color;
varying vec2 m_texcoord;

void main()
{
    m_color = color;
    // Negated t with GL_REPEAT puts the frame's first row at t = 1 of the mesh.
    m_texcoord = vec2(texcoord.x, -texcoord.y);
    gl_Position = projMat * viewMat * modelMat * vec4(pos, 1.0);
}
