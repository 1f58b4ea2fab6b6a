//程序名:新的Qiv程序
//作者: 

void main()
{
    pen.fd(100);
}
